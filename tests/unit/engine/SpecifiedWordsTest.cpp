// Specified words and phrases: reading the list files with every refusal, the typed boxes,
// counting only the specified words and phrases through the phrase window, the phrase
// terminators, the invalid-expression message of a run, StripPhrase and the listing. Messages
// and listings are compared with tests/data/engine/specifiedwords.txt.

#include "engine/SpecifiedWords.h"

#include "Transcript.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "settings/Settings.h"
#include "sources/Markup.h"
#include "util/Catalogue.h"

namespace lxty {
namespace {

namespace fs = std::filesystem;
using Counts = std::map<std::u16string, std::int64_t>;
using List = std::vector<std::u16string>;

std::u16string Fixture(const char* name) {
    return Utf8ToU16((fs::path(LXTY_TEST_DATA_DIR) / "specified" / name).string());
}

void ExpectTranscript(const std::string& actual) {
    test::ExpectSection("engine/specifiedwords.txt",
                        ::testing::UnitTest::GetInstance()->current_test_info()->name(), actual);
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
    bool Typed(int kind, const std::u16string& text) {
        settings.WordsToIgnoreOrCount[static_cast<std::size_t>(kind)] = text;
        return sw.GetExtraWords(kind);
    }

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
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), (List{u"boston", u"new+york"}));
    EXPECT_EQ(rig.run.lngNumCountOnlyWords, 2);
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    EXPECT_EQ(rig.host.textWindow, u"Now reading count-only words . . . ");
    EXPECT_EQ(rig.Count({u"a New York taxi"}), (Counts{{u"new york", 1}}));
    EXPECT_EQ(rig.sw.PhraseWindowSize(), 2);
}

TEST(SpecifiedWordsRun, TwoWordSlotAndPhraseTerminators) {
    test::ExpectCases("engine/specifiedwords.txt", "Terminators", [](const test::Row& f) {
        const std::map<std::u16string, int Settings::*> settings = {
            {u"comma", &Settings::TerminatePhraseAtComma},
            {u"period", &Settings::TerminatePhraseAtPeriod},
            {u"quote", &Settings::TerminatePhraseAtDoubleQuote},
            {u"tab", &Settings::TerminatePhraseAtTab},
            {u"end of line", &Settings::TerminatePhraseAtEndOfLine}};
        Rig rig;
        EXPECT_TRUE(rig.Read(kCountOnlyList, "bigdog.txt"));
        if (const auto s = settings.find(f[0]); s != settings.end())
            rig.settings.*s->second = f[1] == u"1";
        const Counts counts = rig.Count(test::Fields(U16ToUtf8(f[2]), " || "));
        std::string out;
        for (const auto& [phrase, n] : counts)
            out += U16ToUtf8(phrase) + " " + std::to_string(n) + " ";
        return out.empty() ? "(none)" : out.substr(0, out.size() - 1);
    });
}

TEST(SpecifiedWordsRun, WordsAndPatternsOfBothLists) {
    Rig rig;
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    rig.sw.SetCountOnlyFileList({u"<[a-z]+ing>", u"red+<car>"});
    ASSERT_TRUE(rig.Typed(kCountOnlyList, u"boston, new york"));
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
    std::string shown = test::Shown(rig.host);
    // In a phrase entry too; the title is the count button's caption.
    rig.sw.SetExtraCountOnlyList({});
    rig.sw.SetCountButtonCaption(u"Stop");
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    rig.sw.SetCountOnlyFileList({u"big", u"big+<(ab>"});
    EXPECT_EQ(rig.Count({u"big dog"}), (Counts{{u"big", 1}}));
    ExpectTranscript(shown + test::Shown(rig.host));
}

TEST(SpecifiedWordsRun, AllPhrasesRunsUseTheirRules) {
    test::ExpectCases("engine/specifiedwords.txt", "AllPhrases", [](const test::Row& f) {
        const int min = static_cast<int>(test::Number(f[0]));
        const int verdict = static_cast<int>(test::Number(f[1]));
        Rig rig;
        rig.run.blnCountingMFP = true;
        rig.sw.SetExtraCountOnlyList({u"~+~", u"~+~+~"});
        AllPhrasesRules rules;
        rules.minPhraseLength = min;
        rules.maxPhraseLength = 3;
        rules.countSingleWord = [](const std::u16string&) { return true; };
        rules.testSlot = [&](int k, const std::u16string& slot) {
            return k < min ? 0 : slot == u"alpha+beta" ? verdict : 1;
        };
        rig.sw.SetAllPhrasesRules(rules);
        std::string out;
        for (const auto& [phrase, n] : rig.Count({u"alpha beta gamma"}))
            out += (out.empty() ? "" : ", ") + U16ToUtf8(phrase) + " " + std::to_string(n);
        return out;
    });
    // A slot that ends the word (verdict -1) skips its phrase termination.
    for (const int verdict : {1, -1}) {
        Rig rig;
        rig.run.blnCountingMFP = true;
        rig.settings.TerminatePhraseAtPeriod = 1;
        rig.sw.SetExtraCountOnlyList({u"~+~"});
        AllPhrasesRules rules;
        rules.minPhraseLength = rules.maxPhraseLength = 2;
        rules.testSlot = [&](int, const std::u16string& s) {
            return s == u"alpha+beta" ? verdict : 1;
        };
        rig.sw.SetAllPhrasesRules(rules);
        EXPECT_EQ(rig.Count({u"alpha beta. gamma"}).count(u"beta gamma"), verdict == -1 ? 1u : 0u);
    }
}

// ---------------------------------------------------------------------------------------------
// Refusals, and what every way out of ReadWords puts back

int OpenDescriptors() {
    int n = 0;
    for (auto it = fs::directory_iterator("/proc/self/fd"); it != fs::directory_iterator(); ++it)
        ++n;
    return n;
}

// A list read before is replaced by the one read now, refused or not; every way out puts back
// what the read changed and closes the file. Rows: list | file => outcome, failure, flags and
// entries afterwards (counted / in the list).
TEST(SpecifiedWordsRead, RefusalsLeaveNothingInForceAndRestoreEverything) {
    test::ExpectCases("engine/specifiedwords.txt", "Refusals", [](const test::Row& f) {
        static const char* const failures[] = {"none",        "no file selected", "file check",
                                               "open failed", "wildcards",        "angle brackets",
                                               "stopped"};
        const int kind = f[0] == u"count-only" ? kCountOnlyList : kWordsToIgnoreList;
        Rig rig;
        EXPECT_TRUE(rig.Read(kind, kind == kCountOnlyList ? "newyork.txt" : "ignore_all.txt"));
        rig.settings.SuppressWords = rig.settings.AllowCommentMarkers = 0;
        rig.run.strLine = u"line being counted ";
        const int fds = OpenDescriptors();
        const bool ok = rig.Read(kind, U16ToUtf8(f[1]).c_str());
        EXPECT_EQ(OpenDescriptors(), fds);
        EXPECT_FALSE(rig.run.blnReadingWords || rig.sw.blnReadingCountOnlyList);
        EXPECT_EQ(rig.settings.SuppressWords + rig.settings.AllowCommentMarkers, 0);
        EXPECT_EQ(rig.run.strLine, u"line being counted ");
        const bool co = kind == kCountOnlyList;
        return std::string(ok ? "read, " : "refused, ") +
               failures[static_cast<int>(rig.sw.LastReadFailure())] +
               (rig.sw.blnCountOnlyWordsFileContainsWildcards ? ", wildcards flag" : "") +
               (rig.sw.blnWordsToIgnoreFileContainsAngleBrackets ? ", angle brackets flag" : "") +
               ", entries " +
               std::to_string(co ? rig.run.lngNumCountOnlyWords : rig.run.lngNumWordsToIgnore) +
               "/" +
               std::to_string(co ? rig.sw.CountOnlyFileList().Size() : rig.ignore.NumFileEntries());
    });
}

TEST(SpecifiedWordsRead, StopAndSelection) {
    Rig rig;
    rig.host.onYield = [&] { rig.run.blnStop = true; };
    EXPECT_FALSE(rig.Read(kCountOnlyList, "newyork.txt"));
    EXPECT_EQ(rig.sw.LastReadFailure(), ReadWordsFailure::Stopped);
    EXPECT_EQ(rig.run.lngNumWords + rig.run.lngNumCountOnlyWords, 0); // what was read is gone
    EXPECT_FALSE(rig.run.blnReadingWords);
    EXPECT_EQ(rig.settings.SuppressWords, 1);
    rig.host.onYield = nullptr;
    rig.run.blnStop = false;

    EXPECT_FALSE(rig.sw.ReadWords(kCountOnlyList));
    EXPECT_EQ(rig.sw.LastReadFailure(), ReadWordsFailure::NoFileSelected);
    rig.settings.WordsFile[1] = {{Fixture("colour.txt"), Fixture("bigdog.txt")}, 1};
    EXPECT_TRUE(rig.sw.ReadWords(kCountOnlyList));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), List{u"big+dog"});
}

TEST(SpecifiedWordsRead, EveryPatternRefusalShowsItsMessageAndCostsItsLine) {
    Rig rig;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "patterns.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), (List{u"<[a-z]+ing>", u"<e\\.g>", u"word"}));
    ExpectTranscript(test::Shown(rig.host));
}

TEST(SpecifiedWordsRead, PatternWithAQuestionMarkIsNoWildcard) {
    // "?" inside a pattern is the expression's own quantifier; only text outside the patterns
    // is tested for simple wildcards.
    Rig rig;
    EXPECT_TRUE(rig.Read(kCountOnlyList, "colour_pattern.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), List{u"<colou?r>"});
    rig.settings.PatternMatchingInCountOnlyWordsFile = 1;
    EXPECT_EQ(rig.Count({u"colour color colr"}), (Counts{{u"color", 1}, {u"colour", 1}}));
}

TEST(SpecifiedWordsRead, CommentsInListFiles) {
    Rig rig;
    ASSERT_TRUE(rig.Read(kWordsToIgnoreList, "comments.txt"));
    EXPECT_EQ(rig.ignore.FileEntries(), (List{u"apple", u"cherry", u"pear", u"plum"}));
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments_only.txt"));
    EXPECT_EQ(rig.run.lngNumCountOnlyWords, 0);
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A comment after an entry is no part of it: "apple // fruit" is the word apple, not a
    // three-word phrase; the words on both sides of "/* x */" stay one phrase.
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments.txt"));
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), (List{u"apple", u"pear", u"plum+cherry"}));
}

TEST(SpecifiedWordsRead, OptionalCharactersSwitchTheirSettingsOn) {
    Rig rig;
    Settings& s = rig.settings;
    int* const on[] = {&s.AllowWordsWithHyphens, &s.AllowWordsWithApostrophes,
                       &s.AllowWordsWithNumerals, &s.AllowWordsWithAtSigns,
                       &s.AllowWordsWithAmpersands};
    int* const off[] = {&s.AllowWordsWithUnderscores, &s.AllowWordsWithColons,
                        &s.AllowWordsWithBackslashes, &s.AllowWordsWithForwardslashes,
                        &s.AllowWordsWithParentheses, &s.AllowWordsWithPeriods,
                        &s.AllowWordsWithCommas};
    for (int* f : on)
        *f = 0;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "optional.txt"));
    for (int* f : on)
        EXPECT_EQ(*f, 1) << f - on[0];
    for (int* f : off)
        EXPECT_EQ(*f, 0) << f - off[0];
    EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(),
              (List{u"3d", u"at@home", u"e-mail", u"fish+&+chips", u"o'clock"}));
    // A later file without those characters switches nothing on again.
    s.AllowWordsWithHyphens = 0;
    ASSERT_TRUE(rig.Read(kCountOnlyList, "bigdog.txt"));
    EXPECT_EQ(s.AllowWordsWithHyphens, 0);
}

// ---------------------------------------------------------------------------------------------
// Words to ignore

TEST(WordsToIgnoreFile, WildcardEntries) {
    test::ExpectCases("engine/specifiedwords.txt", "WildcardEntries", [](const test::Row& f) {
        Rig rig;
        EXPECT_TRUE(rig.Read(kWordsToIgnoreList, U16ToUtf8(f[0]).c_str()));
        EXPECT_TRUE(rig.sw.blnWordsToIgnoreFileContainsWildcards);
        EXPECT_FALSE(rig.ignore.IsIgnored(f[1], rig.settings)) << U16ToUtf8(f[1]);
        rig.settings.PatternMatchingInWordsToIgnoreFile = 1;
        return rig.ignore.IsIgnored(f[1], rig.settings) ? "ignored" : "counted";
    });
}

// A word is looked up lower-cased: a file entry is found whatever the case of the counted word,
// and with case significant the typed box keeps its capitals, which then match no word.
TEST(WordsToIgnoreFile, CaseOfWordsAndEntries) {
    test::ExpectCases("engine/specifiedwords.txt", "IgnoreCase", [](const test::Row& f) {
        Rig rig; // case significant | pattern matching | typed box | file entries | words
        rig.settings.CaseSignificant = f[0] == u"1";
        rig.settings.PatternMatchingInWordsToIgnoreFile = f[1] == u"1";
        EXPECT_TRUE(f[2] == u"-" || rig.Typed(kWordsToIgnoreList, f[2]));
        if (f[3] != u"-")
            rig.ignore.SetFileEntries(test::Fields(U16ToUtf8(f[3]), " ; "));
        std::string out;
        for (const auto& word : test::Fields(U16ToUtf8(f[4]), " ; "))
            out += U16ToUtf8(word) +
                   (rig.ignore.IsIgnored(word, rig.settings) ? " ignored " : " counted ");
        return out.substr(0, out.size() - 1);
    });
}

// ---------------------------------------------------------------------------------------------
// Typed boxes

TEST(SpecifiedWordsExtra, Boxes) {
    Rig rig;
    ASSERT_TRUE(rig.Typed(kWordsToIgnoreList, u"<[a-z]+ing> the"));
    for (const auto& [word, ignored] : std::vector<std::pair<std::u16string, bool>>{
             {u"singing", true}, {u"kingdom", true}, {u"ingot", false}, {u"The", true}})
        EXPECT_EQ(rig.ignore.IsIgnored(word, rig.settings), ignored) << U16ToUtf8(word);
    ASSERT_TRUE(rig.Typed(kWordsToIgnoreList, u"the  a (an) th~"));
    EXPECT_EQ(rig.settings.WordsToIgnoreOrCount[0], u"a an the th~"); // rewritten sorted
    EXPECT_EQ(rig.ignore.Typed(), (List{u"a", u"an", u"the", u"th~"}));
    EXPECT_EQ(rig.run.intNumExtraWordsToIgnore, 4);

    ASSERT_TRUE(rig.Typed(kCountOnlyList, u"New York , Boston,  Chicago, (pear)"));
    EXPECT_EQ(rig.sw.ExtraCountOnlyList().Entries(),
              (List{u"Boston", u"Chicago", u"New+York", u"pear"}));
    EXPECT_EQ(rig.run.intNumExtraCountOnlyWords, 4);
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    // An inadmissible pattern refuses the whole box; the first failure stops the parse.
    EXPECT_FALSE(rig.Typed(kCountOnlyList, u"pear, <^x>, <y$>"));
    EXPECT_EQ(rig.sw.ExtraCountOnlyList().Entries().size(), 4u);
    EXPECT_EQ(rig.run.intNumExtraCountOnlyWords, 4);
    ExpectTranscript(test::Shown(rig.host));
}

TEST(SpecifiedWordsExtra, PhraseFlagFollowsBothLists) {
    Rig rig;
    ASSERT_TRUE(rig.Typed(kCountOnlyList, u"<[a-z]+ing>")); // the "+" of a pattern is no phrase
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    ASSERT_TRUE(rig.Typed(kCountOnlyList, u"big dog"));
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A file without phrases keeps the typed phrase in force.
    ASSERT_TRUE(rig.Read(kCountOnlyList, "comments_only.txt"));
    EXPECT_TRUE(rig.run.blnCountOnlyWordsIncludePhrase);
    ASSERT_TRUE(rig.Typed(kCountOnlyList, u"dog")); // the phrase typed away
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
    // A refused file leaves no phrase of its partial read behind.
    EXPECT_FALSE(rig.Read(kCountOnlyList, "colour.txt"));
    EXPECT_FALSE(rig.run.blnCountOnlyWordsIncludePhrase);
}

// ---------------------------------------------------------------------------------------------
// StripPhrase, the listing and the phrase window

TEST(SpecifiedWords, StripPhrase) {
    test::ExpectCases("engine/specifiedwords.txt", "StripPhrase", [](const test::Row& f) {
        Rig rig;
        rig.ignore.SetTyped({u"a", u"the"});
        return "\"" + U16ToUtf8(rig.sw.StripPhrase(f[0])) + "\"";
    });
}

TEST(SpecifiedWords, ListCountOnlyWords) {
    std::string listings;
    for (const auto& [list, countOnlyMode] :
         std::vector<std::pair<List, bool>>{{{u"boston", u"new+york"}, true},
                                            {{u"boston", u"chicago"}, false},
                                            {{u"big+dog"}, true},
                                            {{u"dog"}, true},
                                            {{u"<[a-z]+ing>"}, true},
                                            {{u"Zeta", u"alpha", u"big+<a+b>"}, false},
                                            {{}, false}}) {
        Rig rig;
        rig.sw.SetCountOnlyFileList(list);
        rig.run.blnThereAreCountOnlyWords = rig.run.blnCountOnlyWordsIncludePhrase = countOnlyMode;
        rig.sw.ListCountOnlyWords();
        listings += test::TranscriptText(rig.host.textWindow);
        EXPECT_EQ(rig.sw.CountOnlyFileList().Entries(), list); // the list keeps its order
    }
    ExpectTranscript(listings);
}

TEST(SpecifiedWords, PhraseWindowSize) {
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
