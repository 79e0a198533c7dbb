// The "Count phrases" button's checks, messages and large-source question, the flags it sets,
// and the main window's side of an all-phrases count.

#include "phrases/CountAllPhrases.h"
#include "FakeHost.h"
#include "engine/WordsToIgnore.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lxty {
namespace {

namespace fs = std::filesystem;
std::string Narrow(const std::u16string& s) {
    return U16ToUtf8(s);
}

class CountAllPhrasesTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }
    void SetUp() override {
        settings.Source = SourceKind::OnClipboard;
        settings.PhraseLength = {1, 3}; // 2 to 4 words
        settings.MinimumFrequency = 1;  // 2 occurrences
    }
    CountPhrasesAnswer Press() { return CountPhrasesButton(settings, run, options, filter, host); }
    // A file of the given length in the test's temporary folder.
    std::u16string FileOfLength(std::int64_t bytes) {
        const fs::path dir = fs::temp_directory_path() / "lxty_phrases_test";
        fs::create_directories(dir);
        const fs::path p = dir / ("f" + std::to_string(bytes) + ".txt");
        std::ofstream(p, std::ios::binary) << std::string(static_cast<std::size_t>(bytes), 'a');
        return Utf8ToU16(p.string());
    }

    Settings settings;
    RunState run;
    PhraseOptions options;
    PhraseFilter filter;
    test::FakeHost host;
};

TEST_F(CountAllPhrasesTest, RangeChecks) {
    struct Case {
        int minIndex, maxIndex;
        CountPhrasesAnswer answer;
        std::string message;
        MsgIcon icon;
        std::string title;
    };
    const std::vector<Case> cases = {
        {2, 1, CountPhrasesAnswer::StayInWindow,
         "The maximum number of words in each phrase\nmust not be less than the minimum number.",
         MsgIcon::Exclamation, "Invalid input"},
        {0, 0, CountPhrasesAnswer::StayInWindow,
         "To count all and only 'phrases' with one word please\ncancel then click on the "
         "'Count words/phrases' button\nthen click on the 'Count all words' button.",
         MsgIcon::Information, ""},
        {1, 1, CountPhrasesAnswer::StartCount, "", MsgIcon::None, ""},
        {0, 1, CountPhrasesAnswer::StartCount, "", MsgIcon::None, ""},
        {0, 24, CountPhrasesAnswer::StartCount, "", MsgIcon::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minIndex + 1 << " to " << c.maxIndex + 1);
        host.messages.clear();
        settings.PhraseLength = {c.minIndex, c.maxIndex};
        EXPECT_EQ(Press(), c.answer);
        if (c.message.empty()) {
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(options.intMinNumWordsInPhrase, c.minIndex + 1);
            EXPECT_EQ(options.intMaxNumWordsInPhrase, c.maxIndex + 1);
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(Narrow(host.messages[0].text), c.message);
            EXPECT_EQ(Narrow(host.messages[0].title), c.title);
            EXPECT_EQ(host.messages[0].icon, c.icon);
            EXPECT_FALSE(host.messages[0].question);
        }
    }
}

TEST_F(CountAllPhrasesTest, MinimumOccurrences) {
    for (int index : {0, 1, 29}) {
        settings.MinimumFrequency = index;
        settings.Source = SourceKind::OnClipboard;
        EXPECT_EQ(Press(), CountPhrasesAnswer::StartCount);
        EXPECT_EQ(run.intMFPThresholdFrequency, index + 1);
    }
}

TEST_F(CountAllPhrasesTest, LargeSourceQuestion) {
    struct Case {
        const char* name;
        SourceKind source;
        std::int64_t fileBytes; // -1: no file
        int minimumIndex;
        int wordOrder;
        bool asked;
    };
    const std::vector<Case> cases = {
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
    const std::string question = Narrow(GetText(TextId::AllPhrasesTakeLong) + u"\n\n" +
                                        GetText(TextId::CancelForHigherMinimum));
    ASSERT_GT(GetText(TextId::AllPhrasesTakeLong).size(), 0u);
    ASSERT_GT(GetText(TextId::CancelForHigherMinimum).size(), 0u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Source = c.source;
        settings.File[0] = c.fileBytes >= 0 ? FileOfLength(c.fileBytes) : u"/nonexistent/x.txt";
        settings.MinimumFrequency = c.minimumIndex;
        settings.WordOrder = c.wordOrder;
        EXPECT_EQ(AskLargeSourceQuestion(settings), c.asked);
        for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            host.messages.clear();
            host.answers = {answer};
            const CountPhrasesAnswer a = Press();
            if (!c.asked) {
                EXPECT_TRUE(host.messages.empty());
                EXPECT_EQ(a, CountPhrasesAnswer::StartCount);
                continue;
            }
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_TRUE(host.messages[0].question);
            EXPECT_EQ(Narrow(host.messages[0].text), question);
            EXPECT_EQ(Narrow(host.messages[0].title), "Minimum number of occurrences:");
            EXPECT_EQ(a, answer == MsgAnswer::Yes ? CountPhrasesAnswer::StayInWindow
                                                  : CountPhrasesAnswer::StartCount);
        }
    }
}

TEST_F(CountAllPhrasesTest, WordsToIgnoreFlags) {
    using K = WordsToIgnoreInPhrasesKind;
    struct Case {
        K kind;
        bool inForce;
        bool allow, excludeAll, excludeContaining, strip;
    };
    const std::vector<Case> cases = {
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
    settings.FilterWords = u" \t Red, Car! \n";
    ASSERT_EQ(Press(), CountPhrasesAnswer::StartCount);
    EXPECT_EQ(settings.FilterWords, u"red car");
    EXPECT_EQ(filter.Words(), (std::vector<std::u16string>{u"red", u"car"}));

    settings.FilterWords = u"  \t ";
    filter.Parse(u"old");
    ASSERT_EQ(Press(), CountPhrasesAnswer::StartCount);
    EXPECT_EQ(settings.FilterWords, u"");
    EXPECT_EQ(filter.Words(), std::vector<std::u16string>{u"old"}); // not parsed again
}

TEST_F(CountAllPhrasesTest, WindowTexts) {
    EXPECT_EQ(Narrow(AllPhrasesIntroduction(false)),
              "This operation counts all phrases containing a number of words within a specified "
              "range which occur at least a specified number of times.");
    EXPECT_EQ(Narrow(AllPhrasesIntroduction(true)),
              "This operation counts all phrases containing a number of words within a specified "
              "range which occur at least a specified number of times.  It ignores the "
              "specification of count-only words/phrases in the 'Settings' window.");
    EXPECT_EQ(Narrow(AllPhrasesWordsToIgnoreLine(true)),
              "This operation uses the words-to-ignore specifications in the 'Settings' window.");
    EXPECT_EQ(Narrow(AllPhrasesWordsToIgnoreLine(false)),
              "No words-to-ignore are specified in the 'Settings' window.");
}

TEST_F(CountAllPhrasesTest, AnyWordsPatterns) {
    EXPECT_EQ(AnyWordsPatterns(2, 4), (std::vector<std::u16string>{u"~+~", u"~+~+~", u"~+~+~+~"}));
    EXPECT_EQ(AnyWordsPatterns(1, 2), (std::vector<std::u16string>{u"~", u"~+~"}));
    EXPECT_EQ(AnyWordsPatterns(3, 3), (std::vector<std::u16string>{u"~+~+~"}));
}

TEST_F(CountAllPhrasesTest, MainWindowSide) {
    WordsToIgnore wordsToIgnore;
    PhraseCounter counter(settings, run, options, wordsToIgnore);
    std::vector<std::u16string> patterns;

    options.intMinNumWordsInPhrase = 1;
    options.intMaxNumWordsInPhrase = 1;
    EXPECT_FALSE(PreparePhraseRun(settings, run, options, counter, host, &patterns));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(Narrow(host.messages[0].text),
              "To count all and only 'phrases' with one word\nplease click on the 'Count "
              "words/phrases' button\nthen the 'Count all words' button.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_FALSE(run.blnCountingMFP);

    for (const std::u16string& filterWords : {std::u16string(u"red car"), std::u16string(u" \t")}) {
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
