// A settings file that is no regular file: a FIFO without a writer once blocked the reader in
// open() for ever (the test's time limit catches that), a device never ended.

#include "settings/SavedState.h"

#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lxty {
namespace {

struct NoActions : RestoreActions {
    bool AttemptToReadWords(Settings&, int) override { return true; }
};

TEST(HostileSettings, SpecialFilesAreRefusedUnopened) {
    test::TempDir dir;
    const auto fifo = dir / "settings.usr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {fifo, std::filesystem::path("/dev/zero")}) {
        Settings s;
        RunState run;
        test::FakeHost host;
        NoActions actions;
        const RestoreOutcome r = RestoreSavedState(path, {}, s, run, host, actions, true);
        EXPECT_EQ(r.code, kRestoreReadError);
        EXPECT_EQ(r.errorText, path.u16string() + u" is not a regular file");
    }
}

} // namespace
} // namespace lxty
