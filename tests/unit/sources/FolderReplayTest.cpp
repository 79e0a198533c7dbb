// The processing pass of a walk that has just counted the same folder goes over the files the
// counting pass found: the same files, numbers, folder counts and file facts as a walk of its
// own, and a walk of its own again when the counting pass did not finish or looked elsewhere.

#include "sources/FolderScan.h"

#include "TextFilesTestSupport.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace lxty {
namespace {

// Each processed file as "number folders size path".
struct Client : FolderWalkClient {
    std::vector<std::string> seen;
    FolderWalk* walk = nullptr;
    void ProcessFile(const fs::path& file, const std::u16string& shown, std::int64_t n) override {
        EXPECT_EQ(ShownPath(file), shown);
        seen.push_back(std::to_string(n) + " " + std::to_string(walk->FoldersCounted()) + " " +
                       std::to_string(walk->CurrentFile().size) + " " + U16ToUtf8(shown));
    }
    void OutputAppend(const std::u16string&) override {}
    void OutputSet(const std::u16string&) override {}
};

class FolderReplayTest : public test::TextFilesTest {
protected:
    void SetUp() override {
        Write("b.txt", "bb");
        Write("A.txt", "a");
        Write("empty.txt", "");
        Write("sub/c.txt", "ccc");
        Write("sub/deeper/d.txt", "dddd");
        Write("sub2/e.txt", "eeeee");
        Write("doc.docx", "PK");
        Write("extracted_text/doc.txt", "copy");
        fs::create_symlink(Dir() / "sub", Dir() / "sub3"); // the same files again
        fs::create_symlink(Dir() / "b.txt", Dir() / "link.txt");
    }
    // Processing pass after the given first pass of the same walk (none: processing alone).
    std::vector<std::string> Process(bool subfolders, std::optional<WalkPass> first = {},
                                     std::u16string firstFolder = {}) {
        RunState state;
        Client client;
        FolderWalk walk(host, state, FileSelection::FromSettings(Settings{}), client);
        client.walk = &walk;
        const std::u16string folder = ShownPath(Dir());
        if (first)
            walk.Run(firstFolder.empty() ? folder : firstFolder, {*first, subfolders, u""});
        walk.Run(folder, {WalkPass::Processing, subfolders, u""});
        EXPECT_EQ(walk.FilesCounted(), static_cast<std::int64_t>(client.seen.size()));
        return client.seen;
    }
    test::FakeHost host;
};

TEST_F(FolderReplayTest, AfterCountingTheSameFilesAsAWalkOfItsOwn) {
    for (const bool subfolders : {false, true}) {
        const std::vector<std::string> alone = Process(subfolders);
        EXPECT_EQ(alone.size(), subfolders ? 6u : 3u); // links and the kept copy not again
        EXPECT_EQ(Process(subfolders, WalkPass::Counting), alone);
        EXPECT_EQ(Process(subfolders, WalkPass::Listing), alone);
        // Counted with the other subfolder setting, or another folder: walked again.
        EXPECT_EQ(Process(!subfolders, WalkPass::Counting), Process(!subfolders));
        EXPECT_EQ(Process(subfolders, WalkPass::Counting, ShownPath(Dir() / "sub")), alone);
    }
}

TEST_F(FolderReplayTest, AfterAStoppedCountTheFolderIsWalkedAgain) {
    RunState state;
    Client client;
    FolderWalk walk(host, state, FileSelection::FromSettings(Settings{}), client);
    client.walk = &walk;
    const std::u16string folder = ShownPath(Dir());
    state.blnStop = true;
    walk.Run(folder, {WalkPass::Counting, true, u""});
    Write("new.txt", "new");
    state.blnStop = false;
    walk.Run(folder, {WalkPass::Processing, true, u""});
    ASSERT_EQ(client.seen.size(), 7u);
    EXPECT_EQ(client.seen[3], "4 1 3 " + U16ToUtf8(ShownPath(Dir() / "new.txt")));
}

} // namespace
} // namespace lxty
