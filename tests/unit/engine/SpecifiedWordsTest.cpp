// Specified words and phrases: reading the list files with every refusal, the typed boxes,
// counting only the specified words and phrases through the phrase window, the phrase
// terminators, the invalid-expression message of a run, StripPhrase and the listing.

#include "engine/SpecifiedWords.h"

#include "FakeHost.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "engine/WordTable.h"
#include "settings/Settings.h"
#include "sources/Markup.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lxty {
namespace {

namespace fs = std::filesystem;
using Counts = std::map<std::u16string, std::int64_t>;

std::u16string Fixture(const char* name) {
    return Utf8ToU16((fs::path(LXTY_TEST_DATA_DIR) / "specified" / name).string());
}

int OpenDescriptors() {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc/self/fd")) {
        (void)e;
        ++n;
    }
    return n;
}

class ForwardToCounting : public WordSink {
public:
    explicit ForwardToCounting(WordCounting& c) : m_counting(c) {}
    void GetWords2(const std::u16string& word) override { m_counting.GetWords2(word); }

private:
    WordCounting& m_counting;
};

struct Rig {
    test::FakeHost host;
    Settings settings;
    RunState run;
    WordTable table;
    HostTextWindow window{host};
    WordsToIgnore ignore;
    SpecifiedWords sw{settings, run, host, table, window, ignore};

    bool Read(int kind, const char* file) { return sw.ReadWordsFromFile(kind, Fixture(file)); }

    // A specified-words run over lines, as the count run feeds them.
    Counts Count(const std::vector<std::u16string>& lines) {
        sw.UpdateListFlags();
        table.Reset();
        run.lngNumWords = 0;
        WordCounting counting(table, run, settings, host, window, ignore);
        counting.SetSpecifiedWordsBranch([&](const std::u16string& w) { sw.GetWords2Branch(w); });
        sw.SetAddWordToList([&](const std::u16string& w) { counting.AddWordToList(w); });
        sw.SizePhraseWindow();
        Markup markup;
        markup.SetMarkupType(u"none");
        ForwardToCounting sink(counting);
        WordExtractor extractor(settings, run, markup, host, sink);
        extractor.SetAllowedExtraChars1();
        extractor.SetAllowedExtraChars2();
        for (const auto& line : lines) {
            if (settings.TerminatePhraseAtEndOfLine == 1)
                sw.ResetPhrases();
            run.strLine = (settings.CaseSignificant == 1 ? line : LowerCaseAll(line)) + u" ";
            extractor.ExtractWords();
        }
        Counts counts;
        for (const auto& e : table.Entries())
            counts[e.word] = e.count;
        return counts;
    }
};

// ---------------------------------------------------------------------------------------------
// Count-only lists and the phrase window

TEST(SpecifiedWordsRead, NewYorkBostonGivesTwoEntriesAndCountsThePhraseOnce) {
    Rig rig;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "newyork.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(),
              (std::vector<std::u16string>{u"boston", u"new+york"}));
    EXPECT_EQ(rig.run.lngNumCountOnlyWords, 2);
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    EXPECT_EQ(rig.host.textWindow, u"Now reading count-only words . . . ");

    EXPECT_EQ(rig.Count({u"a New York taxi"}), (Counts{{u"new york", 1}}));
    EXPECT_EQ(rig.sw.PhraseWindowSize(), 2);
}

TEST(SpecifiedWordsRun, TwoWordSlotSlidesOneWordAtATime) {
    struct Case {
        std::u16string text;
        Counts expected;
    } cases[] = {
        {u"big dog big dog", {{u"big dog", 2}}},
        {u"big big dog", {{u"big dog", 1}}},
        {u"dog big", {}},
        {u"big dog dog big dog", {{u"big dog", 2}}},
    };
    for (const auto& c : cases) {
        Rig rig;
        ASSERT_TRUE(rig.Read(kCountOnlyList, "bigdog.txt"));
        EXPECT_EQ(rig.Count({c.text}), c.expected) << U16ToUtf8(c.text);
    }
}

TEST(SpecifiedWordsRun, PhraseTerminators) {
    struct Case {
        const char* what;
        int Settings::*setting;
        int on;
        std::vector<std::u16string> lines;
        Counts expected;
    } cases[] = {
        {"comma on", &Settings::TerminatePhraseAtComma, 1, {u"big, dog"}, {}},
        {"comma off", &Settings::TerminatePhraseAtComma, 0, {u"big, dog"}, {{u"big dog", 1}}},
        {"period on", &Settings::TerminatePhraseAtPeriod, 1, {u"big. dog"}, {}},
        {"period off", &Settings::TerminatePhraseAtPeriod, 0, {u"big. dog"}, {{u"big dog", 1}}},
        {"quote on", &Settings::TerminatePhraseAtDoubleQuote, 1, {u"big\" dog"}, {}},
        {"quote off",
         &Settings::TerminatePhraseAtDoubleQuote,
         0,
         {u"big\" dog"},
         {{u"big dog", 1}}},
        {"tab on", &Settings::TerminatePhraseAtTab, 1, {u"big\tdog"}, {}},
        {"tab off", &Settings::TerminatePhraseAtTab, 0, {u"big\tdog"}, {{u"big dog", 1}}},
        {"end of line on", &Settings::TerminatePhraseAtEndOfLine, 1, {u"big", u"dog"}, {}},
        {"end of line off",
         &Settings::TerminatePhraseAtEndOfLine,
         0,
         {u"big", u"dog"},
         {{u"big dog", 1}}},
        // The comma after the phrase ends later phrases only.
        {"comma after", &Settings::TerminatePhraseAtComma, 1, {u"big dog, dog"}, {{u"big dog", 1}}},
    };
    for (const auto& c : cases) {
        Rig rig;
        ASSERT_TRUE(rig.Read(kCountOnlyList, "bigdog.txt"));
        rig.settings.*c.setting = c.on;
        EXPECT_EQ(rig.Count(c.lines), c.expected) << c.what;
    }
}

TEST(SpecifiedWordsRun, WordsAndPatternsOfBothLists) {
    Rig rig;
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    rig.sw.SetCountOnlyFileList({u"<[a-z]+ing>", u"red+<car>"});
    rig.settings.WordsToIgnoreOrCount[1] = u"boston, new york";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    EXPECT_EQ(rig.Count({u"Singing in New York, a red carpet and an ingot"}),
              (Counts{{u"singing", 1}, {u"new york", 1}, {u"red carpet", 1}}));
    // Without pattern matching the file entries are only searched for as they are written.
    rig.settings.PatternMatchingInCountOnlyWordsFile = 0;
    EXPECT_EQ(rig.Count({u"singing boston"}), (Counts{{u"boston", 1}}));
}

TEST(SpecifiedWordsRun, InvalidExpressionIsReportedOncePerWordAndMatchesNothing) {
    ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    Rig rig;
    rig.sw.SetExtraCountOnlyList({u"<(ab>"});
    EXPECT_EQ(rig.Count({u"alpha beta"}), Counts{});
    const test::RecordedMessage expected{u"The regular expression\r\n(ab\r\nis invalid.",
                                         GetText(25), MsgIcon::Information};
    ASSERT_EQ(rig.host.messages.size(), 2u);
    for (const auto& m : rig.host.messages) {
        EXPECT_EQ(m.text, expected.text);
        EXPECT_EQ(m.title, expected.title);
        EXPECT_FALSE(m.title.empty());
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
}

TEST(SpecifiedWordsRun, InvalidExpressionInAPhraseEntryIsReportedToo) {
    Rig rig;
    rig.sw.SetCountButtonCaption(u"Stop");
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    rig.sw.SetCountOnlyFileList({u"big", u"big+<(ab>"});
    EXPECT_EQ(rig.Count({u"big dog"}), (Counts{{u"big", 1}}));
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text, u"The regular expression\r\n(ab\r\nis invalid.");
    EXPECT_EQ(rig.host.messages[0].title, u"Stop");
}

TEST(SpecifiedWordsRun, AllPhrasesRunsUseTheirRules) {
    struct Case {
        int min;
        int verdictForAlphaBeta; // what the rules say of the slot "alpha+beta"
        Counts expected;
    } cases[] = {
        {2, 1, {{u"alpha beta", 1}, {u"beta gamma", 1}, {u"alpha beta gamma", 1}}},
        {3, 1, {{u"alpha beta gamma", 1}}},
        {1,
         1,
         {{u"alpha", 1},
          {u"beta", 1},
          {u"gamma", 1},
          {u"alpha beta", 1},
          {u"beta gamma", 1},
          {u"alpha beta gamma", 1}}},
        {2, 0, {{u"beta gamma", 1}, {u"alpha beta gamma", 1}}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.run.blnCountingMFP = true;
        rig.sw.SetExtraCountOnlyList({u"~+~", u"~+~+~"});
        AllPhrasesRules rules;
        rules.minPhraseLength = c.min;
        rules.maxPhraseLength = 3;
        rules.countSingleWord = [](const std::u16string&) { return true; };
        rules.testSlot = [&](int k, const std::u16string& slot) {
            if (k < c.min)
                return 0;
            return slot == u"alpha+beta" ? c.verdictForAlphaBeta : 1;
        };
        rig.sw.SetAllPhrasesRules(rules);
        EXPECT_EQ(rig.Count({u"alpha beta gamma"}), c.expected) << c.min;
    }
}

TEST(SpecifiedWordsRun, AllPhrasesSlotThatEndsTheWordSkipsItsTermination) {
    for (const int verdict : {1, -1}) {
        Rig rig;
        rig.run.blnCountingMFP = true;
        rig.settings.TerminatePhraseAtPeriod = 1;
        rig.sw.SetExtraCountOnlyList({u"~+~"});
        AllPhrasesRules rules;
        rules.minPhraseLength = 2;
        rules.maxPhraseLength = 2;
        rules.testSlot = [&](int, const std::u16string& slot) {
            return slot == u"alpha+beta" ? verdict : 1;
        };
        rig.sw.SetAllPhrasesRules(rules);
        const Counts counts = rig.Count({u"alpha beta. gamma"});
        EXPECT_EQ(counts.count(u"beta gamma"), verdict == -1 ? 1u : 0u) << verdict;
    }
}

// ---------------------------------------------------------------------------------------------
// Refusals, and what every way out of ReadWords puts back

TEST(SpecifiedWordsRead, RefusalsLeaveNothingInForceAndRestoreEverything) {
    struct Case {
        const char* file;
        int kind;
        ReadWordsFailure failure;
    } cases[] = {
        {"colour.txt", kCountOnlyList, ReadWordsFailure::Wildcards},
        {"ignore_ing.txt", kWordsToIgnoreList, ReadWordsFailure::AngleBrackets},
        {"empty.txt", kCountOnlyList, ReadWordsFailure::FileCheck},
        {"no-such-file.txt", kWordsToIgnoreList, ReadWordsFailure::FileCheck},
        {"bigdog.txt", kCountOnlyList, ReadWordsFailure::None},
        {"ignore_wild.txt", kWordsToIgnoreList, ReadWordsFailure::None},
    };
    for (const auto& c : cases) {
        Rig rig;
        // A list read before is replaced by the refused one.
        ASSERT_TRUE(rig.Read(c.kind, c.kind == kCountOnlyList ? "newyork.txt" : "ignore_all.txt"));
        rig.settings.SuppressWords = 0;
        rig.settings.AllowCommentMarkers = 0;
        rig.run.strLine = u"line being counted ";
        const int fds = OpenDescriptors();

        const bool ok = rig.Read(c.kind, c.file);

        EXPECT_EQ(ok, c.failure == ReadWordsFailure::None) << c.file;
        EXPECT_EQ(rig.sw.LastReadFailure(), c.failure) << c.file;
        EXPECT_EQ(OpenDescriptors(), fds) << c.file;
        EXPECT_FALSE(rig.run.blnReadingWords) << c.file;
        EXPECT_FALSE(rig.sw.blnReadingCountOnlyList) << c.file;
        EXPECT_EQ(rig.settings.SuppressWords, 0) << c.file;
        EXPECT_EQ(rig.settings.AllowCommentMarkers, 0) << c.file;
        EXPECT_EQ(rig.run.strLine, u"line being counted ") << c.file;
        EXPECT_EQ(rig.sw.blnCountOnlyWordsFileContainsWildcards,
                  c.failure == ReadWordsFailure::Wildcards)
            << c.file;
        EXPECT_EQ(rig.sw.blnWordsToIgnoreFileContainsAngleBrackets,
                  c.failure == ReadWordsFailure::AngleBrackets)
            << c.file;
        const std::int64_t expected = ok ? 1 : 0;
        if (c.kind == kCountOnlyList) {
            EXPECT_EQ(rig.run.lngNumCountOnlyWords, expected) << c.file;
            EXPECT_EQ(rig.sw.CountOnlyFileList().Size(), expected) << c.file;
        } else {
            EXPECT_EQ(rig.run.lngNumWordsToIgnore, ok ? 2 : 0) << c.file;
            EXPECT_EQ(rig.ignore.NumFileEntries(), ok ? 2 : 0) << c.file;
        }
    }
}

TEST(SpecifiedWordsRead, StopWhileReadingDiscardsWhatWasRead) {
    Rig rig;
    rig.host.onYield = [&] { rig.run.blnStop = true; };
    EXPECT_FALSE(rig.Read(kCountOnlyList, "newyork.txt"));
    EXPECT_EQ(rig.sw.LastReadFailure(), ReadWordsFailure::Stopped);
    EXPECT_EQ(rig.run.lngNumWords, 0);
    EXPECT_EQ(rig.run.lngNumCountOnlyWords, 0);
    EXPECT_FALSE(rig.run.blnReadingWords);
    EXPECT_EQ(rig.settings.SuppressWords, 1);
}

TEST(SpecifiedWordsRead, SelectedFileOfTheList) {
    Rig rig;
    EXPECT_FALSE(rig.sw.ReadWords(kCountOnlyList));
    EXPECT_EQ(rig.sw.LastReadFailure(), ReadWordsFailure::NoFileSelected);
    rig.settings.WordsFile[1].paths = {Fixture("colour.txt"), Fixture("bigdog.txt")};
    rig.settings.WordsFile[1].selected = 1;
    EXPECT_TRUE(rig.sw.ReadWords(kCountOnlyList));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), std::vector<std::u16string>{u"big+dog"});
}

TEST(SpecifiedWordsRead, EveryPatternRefusalShowsItsMessageAndCostsItsLine) {
    Rig rig;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "patterns.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(),
              (std::vector<std::u16string>{u"<[a-z]+ing>", u"<e\\.g>", u"word"}));

    const std::u16string title = u"Extra count-only words/phrases: inadmissible regular expression";
    struct Expected {
        std::u16string item, text, line;
    } expected[] = {
        {u"<^ing>", u"contains an unescaped '^' outside square brackets.", u"<^ing>"},
        {u"<ing$>",
         u"contains an unescaped '$' outside square brackets.\r\nPerhaps use '\\$' instead.",
         u"<ing$>"},
        {u"<^ing$>", u"is of the form '^...$' -- not admissible in this program.'", u"<^ing$>"},
        {u"<e.g>",
         u"contains an unescaped '.' outside square brackets.\r\n"
         u"Perhaps use '[\\S]' instead of '.'.",
         u"<e.g>"},
        {u"<a b>", u"contains a space -- inadmissible in this program.", u"<a b>"},
        {u"<(ab>", u"is not a valid regular expression.", u"<(ab>"},
        {u"<x(a(b)c)>", u"contains one or more non-matching parentheses.", u"<x(a(b)c)>"},
        {u"<a{2}}>", u"contains one or more non-matching braces.", u"<a{2}}>"},
        {u"<a]>", u"contains one or more non-matching square brackets.", u"<a]>"},
        {u"<^x>", u"contains an unescaped '^' outside square brackets.", u"dog <^x> <y$>"},
        {u"<y$>",
         u"contains an unescaped '$' outside square brackets.\r\nPerhaps use '\\$' instead.",
         u"dog <^x> <y$>"},
    };
    ASSERT_EQ(rig.host.messages.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(rig.host.messages[i].text, e.item + u"\r\n" + e.text +
                                                 u"\r\nThe following line will be ignored:\r\n" +
                                                 e.line);
        EXPECT_EQ(rig.host.messages[i].title, title);
        EXPECT_EQ(rig.host.messages[i].icon, MsgIcon::Information);
    }
}

TEST(SpecifiedWordsRead, PatternWithAQuestionMarkIsNoWildcard) {
    // "?" inside a pattern is the expression's own quantifier; only text outside the patterns
    // is tested for simple wildcards.
    Rig rig;
    EXPECT_TRUE(rig.Read(kCountOnlyList, "colour_pattern.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), std::vector<std::u16string>{u"<colou?r>"});
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    EXPECT_EQ(rig.Count({u"colour color colr"}), (Counts{{u"color", 1}, {u"colour", 1}}));
}

TEST(SpecifiedWordsRead, CommentsInListFiles) {
    Rig rig;
    ASSERT_TRUE(rig.Read(kWordsToIgnoreList, "comments.txt"));
    EXPECT_EQ(rig.ignore.FileEntries(),
              (std::vector<std::u16string>{u"apple", u"cherry", u"pear", u"plum"}));
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments_only.txt"));
    EXPECT_EQ(rig.run.lngNumCountOnlyWords, 0);
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A comment after an entry is no part of it: "apple // fruit" is the word apple, not a
    // three-word phrase; the words on both sides of "/* x */" stay one phrase.
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(),
              (std::vector<std::u16string>{u"apple", u"pear", u"plum+cherry"}));
}

TEST(SpecifiedWordsRead, OptionalCharactersSwitchTheirSettingsOn) {
    Rig rig;
    Settings& s = rig.settings;
    for (int* f :
         {&s.AllowWordsWithHyphens, &s.AllowWordsWithApostrophes, &s.AllowWordsWithUnderscores,
          &s.AllowWordsWithColons, &s.AllowWordsWithBackslashes, &s.AllowWordsWithForwardslashes,
          &s.AllowWordsWithParentheses, &s.AllowWordsWithAmpersands, &s.AllowWordsWithPeriods,
          &s.AllowWordsWithCommas, &s.AllowWordsWithAtSigns, &s.AllowWordsWithNumerals})
        *f = 0;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "optional.txt"));
    EXPECT_EQ(s.AllowWordsWithHyphens, 1);
    EXPECT_EQ(s.AllowWordsWithApostrophes, 1);
    EXPECT_EQ(s.AllowWordsWithNumerals, 1);
    EXPECT_EQ(s.AllowWordsWithAtSigns, 1);
    EXPECT_EQ(s.AllowWordsWithAmpersands, 1);
    EXPECT_EQ(s.AllowWordsWithUnderscores, 0);
    EXPECT_EQ(s.AllowWordsWithColons, 0);
    EXPECT_EQ(s.AllowWordsWithBackslashes, 0);
    EXPECT_EQ(s.AllowWordsWithForwardslashes, 0);
    EXPECT_EQ(s.AllowWordsWithParentheses, 0);
    EXPECT_EQ(s.AllowWordsWithPeriods, 0);
    EXPECT_EQ(s.AllowWordsWithCommas, 0);
    EXPECT_EQ(
        rig.sw.CountOnlyFileList().Entries(),
        (std::vector<std::u16string>{u"3d", u"at@home", u"e-mail", u"fish+&+chips", u"o'clock"}));
    // A later file without those characters switches nothing on again.
    s.AllowWordsWithHyphens = 0;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "bigdog.txt"));
    EXPECT_EQ(s.AllowWordsWithHyphens, 0);
}

// ---------------------------------------------------------------------------------------------
// Words to ignore

TEST(WordsToIgnoreFile, WildcardEntries) {
    struct Case {
        const char* file;
        std::u16string word;
        bool ignored;
    } cases[] = {
        {"ignore_wild.txt", u"the", true},     {"ignore_wild.txt", u"this", true},
        {"ignore_wild.txt", u"th", true},      {"ignore_wild.txt", u"cat", true},
        {"ignore_wild.txt", u"coat", false},   {"ignore_wild.txt", u"ct", false},
        {"ignore_wild.txt", u"Theme", true},   {"ignore_wild.txt", u"ath", false},
        {"ignore_all.txt", u"anything", true}, {"ignore_all.txt", u"x", true},
    };
    for (const auto& c : cases) {
        Rig rig;
        ASSERT_TRUE(rig.Read(kWordsToIgnoreList, c.file));
        EXPECT_TRUE(rig.sw.blnWordsToIgnoreFileContainsWildcards);
        rig.settings.PatternMatchingInWordsToIgnoreFile = 1;
        EXPECT_EQ(rig.ignore.IsIgnored(c.word, rig.settings), c.ignored) << U16ToUtf8(c.word);
        // Without pattern matching an entry is only found as it is written.
        rig.settings.PatternMatchingInWordsToIgnoreFile = 0;
        EXPECT_FALSE(rig.ignore.IsIgnored(c.word, rig.settings)) << U16ToUtf8(c.word);
    }
}

TEST(WordsToIgnoreTyped, AnglePatternsGoToTheExpressionEngine) {
    Rig rig;
    rig.settings.WordsToIgnoreOrCount[0] = u"<[a-z]+ing> the";
    ASSERT_TRUE(rig.sw.GetExtraWords(kWordsToIgnoreList));
    EXPECT_TRUE(rig.ignore.IsIgnored(u"singing", rig.settings));
    EXPECT_TRUE(rig.ignore.IsIgnored(u"kingdom", rig.settings));
    EXPECT_FALSE(rig.ignore.IsIgnored(u"ingot", rig.settings));
    EXPECT_TRUE(rig.ignore.IsIgnored(u"The", rig.settings));
}

// ---------------------------------------------------------------------------------------------
// Typed boxes

TEST(SpecifiedWordsExtra, CountOnlyBox) {
    Rig rig;
    rig.settings.WordsToIgnoreOrCount[1] = u"New York , Boston,  Chicago, (pear)";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    EXPECT_EQ(rig.sw.ExtraCountOnlyList().Entries(),
              (std::vector<std::u16string>{u"Boston", u"Chicago", u"New+York", u"pear"}));
    EXPECT_EQ(rig.run.intNumExtraCountOnlyWords, 4);
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(SpecifiedWordsExtra, PhraseFlagFollowsBothLists) {
    Rig rig;
    // The "+" of a pattern is the expression's, not a phrase.
    rig.settings.WordsToIgnoreOrCount[1] = u"<[a-z]+ing>";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    rig.settings.WordsToIgnoreOrCount[1] = u"big dog";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A file without phrases keeps the typed phrase in force.
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments_only.txt"));
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    // The phrase typed away: no phrase is left.
    rig.settings.WordsToIgnoreOrCount[1] = u"dog";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A refused file leaves no phrase of its partial read behind.
    EXPECT_FALSE(rig.Read(kCountOnlyList, "colour.txt"));
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
}

TEST(SpecifiedWordsExtra, InadmissiblePatternRefusesTheWholeBox) {
    Rig rig;
    rig.settings.WordsToIgnoreOrCount[1] = u"apple";
    ASSERT_TRUE(rig.sw.GetExtraWords(kCountOnlyList));
    rig.settings.WordsToIgnoreOrCount[1] = u"pear, <^x>, <y$>";
    EXPECT_FALSE(rig.sw.GetExtraWords(kCountOnlyList));
    ASSERT_EQ(rig.host.messages.size(), 1u); // the first failure stops the parse
    EXPECT_EQ(rig.host.messages[0].text,
              u"<^x>\r\ncontains an unescaped '^' outside square brackets.");
    EXPECT_EQ(rig.host.messages[0].title,
              u"Extra count-only words/phrases: inadmissible regular expression");
    EXPECT_EQ(rig.sw.ExtraCountOnlyList().Entries(), std::vector<std::u16string>{u"apple"});
    EXPECT_EQ(rig.run.intNumExtraCountOnlyWords, 1);
}

TEST(SpecifiedWordsExtra, WordsToIgnoreBoxIsRewrittenSorted) {
    Rig rig;
    rig.settings.WordsToIgnoreOrCount[0] = u"the  a (an) th~";
    ASSERT_TRUE(rig.sw.GetExtraWords(kWordsToIgnoreList));
    EXPECT_EQ(rig.settings.WordsToIgnoreOrCount[0], u"a an the th~");
    EXPECT_EQ(rig.ignore.Typed(), (std::vector<std::u16string>{u"a", u"an", u"the", u"th~"}));
    EXPECT_EQ(rig.run.intNumExtraWordsToIgnore, 4);
}

// ---------------------------------------------------------------------------------------------
// StripPhrase and the listing

TEST(SpecifiedWords, StripPhrase) {
    Rig rig;
    rig.ignore.SetTyped({u"a", u"the"});
    struct Case {
        std::u16string in, out;
    } cases[] = {
        {u"the+big+dog", u"big dog"},
        {u"big+the+a+dog", u"big dog"},
        {u"the+a", u""},
        {u"dog", u"dog"},
        {u"The", u""},
        {u"<a+the>+x", u"<a+the> x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rig.sw.StripPhrase(c.in), c.out) << U16ToUtf8(c.in);
}

TEST(SpecifiedWords, ListCountOnlyWords) {
    struct Case {
        std::vector<std::u16string> list;
        bool countOnlyMode;
        std::u16string expected;
    } cases[] = {
        {{u"boston", u"new+york"},
         true,
         u"There are 2 words/phrases in the count-only file:\r\nboston\r\nnew york"},
        {{u"boston", u"chicago"},
         false,
         u"There are 2 words in the count-only file:\r\nboston\r\nchicago"},
        {{u"big+dog"}, true, u"There is one phrase in the count-only file:\r\nbig dog"},
        {{u"dog"}, true, u"There is one word in the count-only file:\r\ndog"},
        {{u"<[a-z]+ing>"}, true, u"There is one word in the count-only file:\r\n<[a-z]+ing>"},
        {{u"Zeta", u"alpha", u"big+<a+b>"},
         false,
         u"There are 3 words in the count-only file:\r\nalpha\r\nbig <a+b>\r\nZeta"},
        {{}, false, u"There are 0 words in the count-only file:"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.sw.SetCountOnlyFileList(c.list);
        rig.run.blnThereAreCountOnlyWords = c.countOnlyMode;
        rig.run.blnCountOnlyWordsIncludePhrase = c.countOnlyMode;
        rig.sw.ListCountOnlyWords();
        EXPECT_EQ(rig.host.textWindow, c.expected);
        // The list itself keeps its order for the search.
        EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), c.list);
    }
}

TEST(SpecifiedWords, PhraseWindowSizeAndReset) {
    Rig rig;
    rig.sw.SetCountOnlyFileList({u"a+b+c", u"<x+y>"});
    rig.sw.SetExtraCountOnlyList({u"d"});
    rig.sw.SizePhraseWindow();
    EXPECT_EQ(rig.sw.PhraseWindowSize(), 3);
    rig.sw.SetCountOnlyFileList({u"<x+y>"});
    rig.sw.SizePhraseWindow();
    EXPECT_EQ(rig.sw.PhraseWindowSize(), 1);
}

} // namespace
} // namespace lxty
