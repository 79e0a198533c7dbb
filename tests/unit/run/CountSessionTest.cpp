// The count session as both programs drive it: figures on the main window's labels that
// belong to an earlier operation never stand beside the results of a later one.

#include "run/CountSession.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace lxty {
namespace {

TEST(CountSession, NoStaleFiguresBesideLaterResults) {
    ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    test::TempDir dir("lxty-session");
    {
        std::ofstream words(dir / "ignore.txt", std::ios::binary);
        for (int i = 0; i < 315; ++i) // the read progress says "so far" every 10 words
            words << "w" << static_cast<char>('a' + i % 26) << static_cast<char>('a' + i / 26)
                  << "x\n";
    }
    test::FakeHost host;
    CountSession session(host, fs::path(LXTY_DATA_DIR));
    session.state.blnStartUpCompleted = true;
    host.answers.assign(4, MsgAnswer::No);

    // A word list read ends with its report; the read's progress figure is gone.
    ASSERT_TRUE(session.wordLists.AddWordsFilePath(0, Utf8ToU16((dir / "ignore.txt").string())));
    EXPECT_EQ(u"315 words-to-ignore loaded", session.textWindow.Text());
    EXPECT_EQ(u"", host.labels["lblNumberOfWords"]);

    // A clipboard count shows no size of the file counted before it.
    host.labels["lblFilesize"] = u"Filesize: 200 Kb";
    host.labels["lblXMLsize"] = u"Text: 190 Kb";
    session.settings.Source = SourceKind::OnClipboard;
    host.clipboard = u"alpha beta gamma";
    EXPECT_EQ(RunOutcome::Produced, session.Count(CountMode::AllWords));
    EXPECT_EQ(u"", host.labels["lblFilesize"]);
    EXPECT_EQ(u"", host.labels["lblXMLsize"]);
}

} // namespace
} // namespace lxty
