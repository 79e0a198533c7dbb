// The "Count phrases" button's checks, messages and large-source question, the flags it sets,
// and the main window's side of an all-phrases count.

#include "phrases/CountAllPhrases.h"
#include "Golden.h"
#include "ReportRig.h"
#include "engine/WordsToIgnore.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

using test::N;

class CountAllPhrasesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    CountAllPhrasesTest() {
        settings.Source = SourceKind::OnClipboard;
        settings.PhraseLength = {1, 3}; // 2 to 4 words
        settings.MinimumFrequency = 1;  // 2 occurrences
    }
    CountPhrasesAnswer Press() {
        host.messages.clear();
        return CountPhrasesButton(settings, run, options, filter, host);
    }

    Settings settings;
    RunState run;
    PhraseOptions options;
    PhraseFilter filter;
    test::FakeHost host;
    void TearDown() override { g.Check(); }

    test::TempDir dir{"lxty-phrases"};
    // Messages and window texts, compared with tests/data/phrases/count_all_phrases.txt.
    test::Golden g{"phrases/count_all_phrases",
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                       std::string("/")};
};

// The checks of the range, with their messages compared with
// tests/data/phrases/count_all_phrases.txt, and the minimum number of occurrences.
TEST_F(CountAllPhrasesTest, RangeAndMinimumChecks) {
    const std::pair<int, int> ranges[] = {{2, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 24}}; // indices
    for (const auto& [minIndex, maxIndex] : ranges) {
        settings.PhraseLength = {minIndex, maxIndex};
        const bool starts = Press() == CountPhrasesAnswer::StartCount;
        EXPECT_EQ(starts, host.messages.empty());
        g.Add("range " + std::to_string(minIndex + 1) + " to " + std::to_string(maxIndex + 1),
              test::Said(host));
        if (starts) {
            EXPECT_EQ(options.intMinNumWordsInPhrase, minIndex + 1);
            EXPECT_EQ(options.intMaxNumWordsInPhrase, maxIndex + 1);
        }
    }
    for (int index : {0, 1, 29}) {
        settings.MinimumFrequency = index;
        EXPECT_EQ(Press(), CountPhrasesAnswer::StartCount);
        EXPECT_EQ(run.intMFPThresholdFrequency, index + 1);
    }
}

TEST_F(CountAllPhrasesTest, LargeSourceQuestion) {
    struct Case {
        const char* name;
        SourceKind source;
        std::int64_t fileBytes; // -1: no file
        int minimumIndex, wordOrder;
        bool asked;
    };
    const Case cases[] = {
        {"folder", SourceKind::Folder, -1, 0, 0, true},
        {"folder, alphabetical", SourceKind::Folder, -1, 0, 1, false},
        {"folder, minimum 2", SourceKind::Folder, -1, 1, 0, false},
        {"clipboard", SourceKind::OnClipboard, -1, 0, 0, false},
        {"file of 50 KB", SourceKind::InFile, 51200, 0, 0, false},
        {"file of 50.5 KB rounds to 50", SourceKind::InFile, 51712, 0, 0, false},
        {"file just over 50.5 KB", SourceKind::InFile, 51713, 0, 0, true},
        {"file of 51.5 KB rounds to 52", SourceKind::InFile, 52736, 0, 0, true},
        {"missing file", SourceKind::InFile, -1, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Source = c.source;
        settings.File[0] = u"/nonexistent/x.txt";
        if (c.fileBytes >= 0) {
            test::WriteBytes(dir / "f.txt",
                             std::string(static_cast<std::size_t>(c.fileBytes), 'a'));
            settings.File[0] = TextFromPath(dir / "f.txt");
        }
        settings.MinimumFrequency = c.minimumIndex;
        settings.WordOrder = c.wordOrder;
        EXPECT_EQ(AskLargeSourceQuestion(settings), c.asked);
        for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            host.answers = {answer};
            EXPECT_EQ(Press(), c.asked && answer == MsgAnswer::Yes
                                   ? CountPhrasesAnswer::StayInWindow
                                   : CountPhrasesAnswer::StartCount);
            EXPECT_EQ(c.asked ? 1u : 0u, host.messages.size());
            if (c.asked)
                g.Add(std::string(c.name) + (answer == MsgAnswer::Yes ? ", Yes" : ", No"),
                      test::Said(host));
        }
    }
}

TEST_F(CountAllPhrasesTest, WordsToIgnoreFlags) {
    using K = WordsToIgnoreInPhrasesKind;
    struct Case {
        K kind;
        bool inForce, allow, excludeAll, excludeContaining, strip;
    };
    const Case cases[] = {
        {K::AllowPhrasesAllWordsToIgnore, true, true, false, false, false},
        {K::ExcludePhrasesAllWordsToIgnore, true, false, true, false, false},
        {K::ExcludePhrasesWithWordToIgnore, true, false, false, true, false},
        {K::RemoveWordsToIgnore, true, false, false, false, true},
        {K::RemoveWordsToIgnore, false, false, false, false, false},
        {K::AllowPhrasesAllWordsToIgnore, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " " << c.inForce);
        // Every flag set beforehand, so that clearing is seen too.
        options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = true;
        options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = true;
        options.blnExcludePhrasesContainingAWordToIgnore = true;
        run.blnStripPhrases = true;
        settings.WordsToIgnoreInPhrases = c.kind;
        run.blnThereAreWordsToIgnore = c.inForce;
        ASSERT_EQ(Press(), CountPhrasesAnswer::StartCount);
        EXPECT_EQ(options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore, c.allow);
        EXPECT_EQ(options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore, c.excludeAll);
        EXPECT_EQ(options.blnExcludePhrasesContainingAWordToIgnore, c.excludeContaining);
        EXPECT_EQ(run.blnStripPhrases, c.strip);
    }
}

TEST_F(CountAllPhrasesTest, FilterWordsAreTrimmedAndParsed) {
    settings.FilterWords = u" \t Red, Car! \r\n";
    ASSERT_EQ(Press(), CountPhrasesAnswer::StartCount);
    EXPECT_EQ(settings.FilterWords, u"red car");
    EXPECT_EQ(filter.Words(), (std::vector<std::u16string>{u"red", u"car"}));

    settings.FilterWords = u"  \t ";
    filter.Parse(u"old");
    ASSERT_EQ(Press(), CountPhrasesAnswer::StartCount);
    EXPECT_EQ(settings.FilterWords, u"");
    EXPECT_EQ(filter.Words(), std::vector<std::u16string>{u"old"}); // not parsed again
}

TEST_F(CountAllPhrasesTest, WindowTextsAndPatterns) {
    for (const bool countOnly : {false, true})
        g.Add("introduction" + std::string(countOnly ? ", count-only" : ""),
              N(AllPhrasesIntroduction(countOnly)));
    for (const bool ignore : {false, true})
        g.Add("words to ignore" + std::string(ignore ? "" : ", none"),
              N(AllPhrasesWordsToIgnoreLine(ignore)));
    using P = std::vector<std::u16string>;
    EXPECT_EQ(AnyWordsPatterns(2, 4), (P{u"~+~", u"~+~+~", u"~+~+~+~"}));
    EXPECT_EQ(AnyWordsPatterns(1, 2), (P{u"~", u"~+~"}));
    EXPECT_EQ(AnyWordsPatterns(3, 3), (P{u"~+~+~"}));
}

TEST_F(CountAllPhrasesTest, MainWindowSide) {
    WordsToIgnore wordsToIgnore;
    PhraseCounter counter(settings, run, options, wordsToIgnore);
    std::vector<std::u16string> patterns;

    options.intMinNumWordsInPhrase = 1;
    options.intMaxNumWordsInPhrase = 1;
    EXPECT_FALSE(PreparePhraseRun(settings, run, options, counter, host, &patterns));
    g.Add("one-word phrases", test::Said(host));
    EXPECT_FALSE(run.blnCountingMFP);

    for (const std::u16string filterWords : {u"red car", u" \t"}) {
        host.messages.clear();
        run = RunState{};
        settings.FilterWords = filterWords;
        options.intMinNumWordsInPhrase = 2;
        options.intMaxNumWordsInPhrase = 3;
        EXPECT_TRUE(PreparePhraseRun(settings, run, options, counter, host, &patterns));
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(run.blnCountingMFP);
        EXPECT_EQ(run.blnFilteringPhrases, filterWords == u"red car");
        EXPECT_TRUE(run.blnThereAreCountOnlyWords);
        EXPECT_TRUE(run.blnCountOnlyWordsIncludePhrase);
        EXPECT_EQ(counter.WindowSize(), 3);
        EXPECT_EQ(patterns, (std::vector<std::u16string>{u"~+~", u"~+~+~"}));
    }
}

} // namespace
} // namespace lxty
