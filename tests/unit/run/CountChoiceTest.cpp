// The count-choice dialog's logic: what it shows on opening, its buttons, and the file-list
// box that borrows the display format.

#include "run/CountChoice.h"

#include "FakeHost.h"
#include "Golden.h"
#include "base/RunState.h"
#include "settings/Settings.h"

namespace lxty {
namespace {

using test::FakeHost;

std::string N(const std::u16string& s) {
    return U16ToUtf8(s);
}

// The four introductions, compared with tests/data/run/count_choice.txt.
TEST(CountChoiceTest, IntroductionTexts) {
    test::Golden g("run/count_choice");
    for (const bool countOnly : {true, false})
        for (const bool ignore : {true, false})
            g.Add(std::string(countOnly ? "count-only" : "all words") +
                      (ignore ? ", words to ignore" : ""),
                  N(CountChoice::IntroText(countOnly, ignore)));
    g.Check();
}

TEST(CountChoiceTest, OpeningShowsWhatTheSettingsAllow) {
    struct Case {
        SourceKind source;
        bool countOnly;
        bool specifiedEnabled, fileListVisible;
    };
    const Case cases[] = {
        {SourceKind::Folder, false, false, true},
        {SourceKind::Folder, true, true, true},
        {SourceKind::InFile, true, true, false},
        {SourceKind::OnClipboard, false, false, false},
    };
    for (const auto& c : cases) {
        FakeHost host;
        Settings s;
        RunState run;
        s.Source = c.source;
        run.blnThereAreCountOnlyWords = c.countOnly;
        run.blnThereAreWordsToIgnore = true;
        CountChoice choice(s, run, host);
        const CountChoiceView& v = choice.Open();
        EXPECT_EQ(c.specifiedEnabled, v.cmdCountSpecifiedWordsPhrasesEnabled);
        EXPECT_EQ(c.fileListVisible, v.chkFileListVisible);
        EXPECT_FALSE(v.chkFileListChecked);
        EXPECT_EQ(N(CountChoice::IntroText(c.countOnly, true)), N(v.lblIntro));
        EXPECT_FALSE(choice.blnCancel || choice.blnCountAllWords ||
                     choice.blnCountSpecifiedWordsPhrases);
    }
}

TEST(CountChoiceTest, FileListBoxBorrowsAndRestoresTheDisplayFormat) {
    FakeHost host;
    Settings s;
    RunState run;
    s.Source = SourceKind::Folder;
    s.DisplayFormat = 5;
    CountChoice choice(s, run, host);
    choice.Open();
    choice.SetFileList(true);
    EXPECT_EQ(11, s.DisplayFormat);
    EXPECT_TRUE(choice.View().chkFileListChecked);
    choice.SetFileList(false);
    EXPECT_EQ(5, s.DisplayFormat);
    // Checked again and the count chosen: the file-list format stays for the run.
    choice.SetFileList(true);
    choice.CountAllWords();
    EXPECT_EQ(11, s.DisplayFormat);
}

TEST(CountChoiceTest, Buttons) {
    FakeHost host;
    Settings s;
    RunState run;
    host.labels["lblNumberOfWords"] = u"Number of words in this list: 3";
    host.labels["lblNumOccurrences"] = u"x";

    CountChoice choice(s, run, host);
    choice.Open();
    // Without count-only entries the specified-words button does nothing.
    choice.CountSpecifiedWordsPhrases();
    EXPECT_FALSE(choice.blnCountSpecifiedWordsPhrases);
    EXPECT_EQ(u"Number of words in this list: 3", host.labels["lblNumberOfWords"]);

    choice.CountAllWords();
    EXPECT_TRUE(choice.blnCountAllWords);
    EXPECT_FALSE(choice.blnCancel);
    EXPECT_EQ(u"", host.labels["lblNumberOfWords"]);
    EXPECT_EQ(u"", host.labels["lblNumOccurrences"]);

    run.blnThereAreCountOnlyWords = true;
    choice.Open();
    EXPECT_FALSE(choice.blnCountAllWords); // flags start afresh
    choice.CountSpecifiedWordsPhrases();
    EXPECT_TRUE(choice.blnCountSpecifiedWordsPhrases);

    choice.Open();
    choice.Cancel(); // also the close box
    EXPECT_TRUE(choice.blnCancel);
    EXPECT_FALSE(choice.blnCountAllWords || choice.blnCountSpecifiedWordsPhrases);

    choice.Open();
    choice.GoToSettings();
    EXPECT_TRUE(choice.blnCancel);
}

} // namespace
} // namespace lxty
