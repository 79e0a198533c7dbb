// A whole all-phrases count through the count run, wired as the main window wires it: the
// "Count phrases" button, the main window's side, the run with the phrase step in GetWords2,
// the exclusions, the summary sentence and the (filtered) report in the text window.

#include "FakeHost.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "phrases/CountAllPhrases.h"
#include "phrases/PhraseResults.h"
#include "reports/WordListReport.h"
#include "run/CountRun.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

struct MainWindow {
    test::FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, tw, report}, table, {}, {}};
    WordsToIgnore wordsToIgnore;
    CountRunShell shell;
    CountRun countRun{ctx, wordsToIgnore, shell};
    PhraseOptions options;
    PhraseFilter filter;
    PhraseCounter counter{settings, run, options, wordsToIgnore};

    MainWindow() {
        settings.Source = SourceKind::OnClipboard;
        settings.DropFinalS = 0;
        run.blnStartUpCompleted = true;
        run.intMinWidth = 8;

        counter.SetAddWordToList(
            [this](const std::u16string& w) { countRun.Counting().AddWordToList(w); });
        CountRunHooks& h = countRun.Hooks();
        h.specifiedWords = [this](const std::u16string& w) { counter.PhraseStep(w); };
        h.sizePhraseWindow = [this] { counter.SizePhraseWindow(); };
        h.resetPhrases = [this] { counter.ResetPhrases(); };
        h.stripPhrase = [this](const std::u16string& w) {
            return wordsToIgnore.IsIgnored(w, settings) ? std::u16string() : w;
        };
        h.excludeRedundantSubphrases = [this] { ExcludeRedundantSubphrases(table, run, host); };
        h.phrasePostListing = [this] { return PhrasePostListing(ctx, options); };
        InstallPhraseFilter(ctx, filter);
    }

    // The "Count all phrases" button, then "Count phrases" in its window.
    RunOutcome CountAllPhrases() {
        if (CountPhrasesButton(settings, run, options, filter, host) !=
            CountPhrasesAnswer::StartCount)
            return RunOutcome::Refused;
        if (!PreparePhraseRun(settings, run, options, counter, host))
            return RunOutcome::Refused;
        return countRun.Start(CountMode::AllPhrases);
    }
};

TEST(AllPhrasesRunTest, ACountFromTheClipboard) {
    MainWindow m;
    m.host.clipboard = u"The big red car. The big red car. A big red car.";
    m.settings.PhraseLength = {1, 2}; // 2 to 3 words
    m.settings.MinimumFrequency = 1;  // at least twice
    ASSERT_EQ(m.CountAllPhrases(), RunOutcome::Produced);
    for (const auto& msg : m.host.messages)
        ADD_FAILURE() << U16ToUtf8(msg.title + u": " + msg.text);
    // "big red", "red car" (3 each) lie inside "big red car" (3); "the big" (2) inside
    // "the big red" (2); "a big", "a big red" occur once.
    EXPECT_EQ(U16ToUtf8(m.tw.Text()),
              "There are 2 phrases with 2 to 3 words which occur at least twice.\n\n"
              "     Rank      Freq  Phrase [longest has 11 characters]\n"
              "        1         3  big red car\n"
              "        2         2  the big red\n");
}

TEST(AllPhrasesRunTest, AFilteredCountAndTheFilterButton) {
    MainWindow m;
    m.host.clipboard = u"The big red car. The big red car. A big red car.";
    m.settings.PhraseLength = {1, 2};
    m.settings.MinimumFrequency = 1;
    m.settings.FilterWords = u" The! ";
    ASSERT_EQ(m.CountAllPhrases(), RunOutcome::Produced);
    EXPECT_EQ(m.settings.FilterWords, u"the");
    EXPECT_EQ(U16ToUtf8(m.tw.Text()),
              "There are 2 phrases with 2 to 3 words which occur at least twice.\n\n"
              "Phrase filtering (all filter words) has been applied.\n"
              "Filter words: the\n\n"
              "     Rank      Freq  Phrase [longest has 11 characters]\n"
              "        2         2  the big red\n");

    // The filter button relists the same count with other words.
    m.settings.FilterWords = u"CAR";
    ASSERT_TRUE(FilterButton(m.ctx, m.filter));
    EXPECT_EQ(U16ToUtf8(m.tw.Text()),
              "There are 2 phrases with 2 to 3 words which occur at least twice.\n\n"
              "Phrase filtering (all filter words) has been applied.\n"
              "Filter words: car\n\n"
              "     Rank      Freq  Phrase [longest has 11 characters]\n"
              "        1         3  big red car\n");
}

TEST(AllPhrasesRunTest, NoPhraseFound) {
    MainWindow m;
    m.host.clipboard = u"one two three";
    m.settings.PhraseLength = {1, 2};
    m.settings.MinimumFrequency = 1;
    ASSERT_EQ(m.CountAllPhrases(), RunOutcome::Produced);
    EXPECT_EQ(U16ToUtf8(m.tw.Text()),
              "There are no phrases with 2 to 3 words which occur at least twice.\n\n");
}

TEST(AllPhrasesRunTest, RemovingWordsToIgnore) {
    MainWindow m;
    m.wordsToIgnore.AddTyped(u"the");
    m.wordsToIgnore.AddTyped(u"a");
    m.run.blnThereAreWordsToIgnore = true;
    m.settings.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore;
    m.host.clipboard = u"The big red car. The big red car. A big red car.";
    m.settings.PhraseLength = {1, 1}; // 2 words
    m.settings.MinimumFrequency = 2;  // at least 3 times
    ASSERT_EQ(m.CountAllPhrases(), RunOutcome::Produced);
    EXPECT_EQ(U16ToUtf8(m.tw.Text()),
              "There are 2 phrases of 2 words which occur at least 3 times when words to ignore "
              "are excluded.\n\n"
              "     Rank      Freq  Phrase [longest has 7 characters]\n"
              "        1         3  big red\n"
              "        2         3  red car\n");
}

} // namespace
} // namespace lxty
