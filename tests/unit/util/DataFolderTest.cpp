#include "util/DataFolder.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

// A build folder keeps the catalogue beside the program, an installed tree in
// share/lexitally; the build folder wins when both hold one.
TEST(DataFolderTest, BesideTheProgramFirstThenShare) {
    struct Case {
        bool beside, installed;
        const char* want; // relative to the prefix
    };
    for (const Case c : {Case{true, false, "bin"}, Case{false, true, "share/lexitally"},
                         Case{true, true, "bin"}, Case{false, false, "bin"}}) {
        lxty::test::TempDir prefix("lxty-datafolder");
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share/lexitally");
        if (c.beside)
            std::ofstream(prefix / "bin/lxty.dat") << "1\tx\n";
        if (c.installed)
            std::ofstream(prefix / "share/lexitally/lxty.dat") << "1\tx\n";
        EXPECT_EQ(lxty::FindDataFolder(prefix / "bin"), prefix / c.want) << c.beside << c.installed;
        // A trailing separator names the same folder.
        EXPECT_EQ(lxty::FindDataFolder(prefix.path() / "bin" / ""),
                  c.want == std::string("bin") ? prefix.path() / "bin" / "" : prefix / c.want);
    }
}
