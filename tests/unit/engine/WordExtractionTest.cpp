// Word extraction: the words a text yields under the settings, the flags that describe where
// each word stopped, word-list mode, markup skipping, plural reduction and the comment-marker
// check.

#include "engine/WordExtraction.h"

#include "Transcript.h"
#include "settings/WordLists.h"

#include <sstream>
#include <tuple>

namespace lxty {
namespace {

using Words = std::vector<std::u16string>;

std::string Narrow(const std::u16string& s) {
    return U16ToUtf8(s.substr(0, 60));
}

// Settings from option words: "off" (no hyphens, apostrophes or plural reduction), "chars=XY" (the
// user characters), or a field's short name, alone for 1 or with "=N".
void Set(Settings& s, const std::string& options) {
    static const std::map<std::string, int Settings::*> fields = {
        {"hyphens", &Settings::AllowWordsWithHyphens},
        {"apostrophes", &Settings::AllowWordsWithApostrophes},
        {"underscores", &Settings::AllowWordsWithUnderscores},
        {"colons", &Settings::AllowWordsWithColons},
        {"backslashes", &Settings::AllowWordsWithBackslashes},
        {"slashes", &Settings::AllowWordsWithForwardslashes},
        {"parens", &Settings::AllowWordsWithParentheses},
        {"amps", &Settings::AllowWordsWithAmpersands},
        {"periods", &Settings::AllowWordsWithPeriods},
        {"commas", &Settings::AllowWordsWithCommas},
        {"at", &Settings::AllowWordsWithAtSigns},
        {"numerals", &Settings::AllowWordsWithNumerals},
        {"user", &Settings::AllowWordsWithUserSpecifiedExtraChars},
        {"plurals", &Settings::DropFinalS},
        {"case", &Settings::CaseSignificant},
        {"language", &Settings::CommonWordsLanguages}};
    std::istringstream in(options);
    for (std::string w; in >> w;) {
        const auto eq = w.find('=');
        const auto f = fields.find(w.substr(0, eq));
        if (w == "off")
            s.AllowWordsWithHyphens = s.AllowWordsWithApostrophes = s.DropFinalS = 0;
        else if (w.rfind("chars=", 0) == 0)
            s.UserSpecifiedExtraChars = Utf8ToU16(w.substr(6));
        else if (f != fields.end())
            s.*f->second = eq == std::string::npos ? 1 : std::stoi(w.substr(eq + 1));
        else
            ADD_FAILURE() << "unknown setting " << w;
    }
}

// Records every call and, for each word of a count run, the stop flags in force at the time.
struct RecordingSink : WordSink {
    explicit RecordingSink(const RunState& s) : state(s) {}
    const RunState& state;
    Words added, counted, stripped, checked;
    Words flags; // "P", "Q", "T", "C" for period, quote, tab, comma
    std::function<bool(const std::u16string&)> dropInStrip;

    void AddWordToList(const std::u16string& w) override { added.push_back(w); }
    void GetWords2(const std::u16string& w) override {
        counted.push_back(w);
        flags.push_back(std::u16string(state.blnStoppedAtPeriod ? u"P" : u"") +
                        (state.blnStoppedAtDoubleQuote ? u"Q" : u"") +
                        (state.blnStoppedAtTab ? u"T" : u"") +
                        (state.blnStoppedAtComma ? u"C" : u""));
    }
    std::u16string StripPhrase(const std::u16string& w) override {
        stripped.push_back(w);
        return dropInStrip && dropInStrip(w) ? u"" : w;
    }
    void CheckForNonAlphaNumeric(const std::u16string& w) override { checked.push_back(w); }
};

struct Rig {
    Settings settings;
    RunState state;
    Markup markup;
    test::FakeHost host;
    RecordingSink sink{state};
    WordExtractor ex{settings, state, markup, host, sink};

    explicit Rig(const std::string& options = "") { Set(settings, options); }
    // Sets up the allowed characters as a count run does and extracts each line in turn.
    Words Count(const std::vector<std::u16string>& lines) {
        ex.SetAllowedExtraChars1();
        ex.SetAllowedExtraChars2();
        for (const auto& l : lines) {
            state.strLine = l;
            ex.ExtractWords();
        }
        return sink.counted;
    }
    Words Count(const std::u16string& line) { return Count(std::vector<std::u16string>{line}); }
};

TEST(WordExtractionTest, LongWordsWithAnotherWordCharacterAnywhere) {
    // Measuring tests eight units at a time for ASCII letters: a hyphen (allowed), a Latin-1
    // letter, a unit whose low byte is a letter, or a stop at every offset of a long word.
    const std::u16string letters = u"abcdefghijklmnopqrstuvwx";
    for (const auto& [inner, joins] : std::vector<std::pair<std::u16string, bool>>{
             {u"-", true}, {u"é", true}, {u"\u0141", true}, {u"\u2019", false}, {u".", false}}) {
        for (std::size_t at = 1; at < letters.size(); ++at) {
            Rig r("off hyphens");
            const std::u16string head = letters.substr(0, at), tail = letters.substr(at);
            const Words joined{u"xy", head + inner + tail, u"z"}, apart{u"xy", head, tail, u"z"};
            EXPECT_EQ(r.Count(u"xy " + head + inner + tail + u" z "), joins ? joined : apart)
                << Narrow(inner) << " at " << at;
        }
    }
}

// The words, or what else a case asks for, as one line of a case file.
std::string Joined(const Words& words, const char* separator = " | ") {
    std::string out;
    for (const auto& w : words)
        out += (out.empty() ? "" : separator) + test::Escape(w);
    return out.empty() ? "(none)" : out;
}

TEST(WordExtractionTest, WordsOfATextUnderTheSettings) {
    test::ExpectCases("engine/extraction.txt", "Words", [](const test::Row& f) {
        Rig r(U16ToUtf8(f[0]));
        const Words words = r.Count(f[1]);
        EXPECT_EQ(r.state.lngTotalNumOccurrences, static_cast<std::int64_t>(words.size()));
        return Joined(words);
    });
    // 65,000 letters end a word.
    const std::u16string as65000(65000, u'a'), as64999(64999, u'a');
    EXPECT_EQ(Rig().Count(as65000 + u"bc next "), (Words{as65000, u"bc", u"next"}));
    EXPECT_EQ(Rig().Count(as64999 + u"bc next "), (Words{as64999 + u"b", u"c", u"next"}));
}

TEST(WordExtractionTest, StopFlagsDescribeTheCharacterAfterEachWord) {
    test::ExpectCases("engine/extraction.txt", "StopFlags", [](const test::Row& f) {
        Rig r(U16ToUtf8(f[0]));
        Words out = r.Count(f[1]);
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] += u"/" + r.sink.flags[i];
        return Joined(out);
    });
}

TEST(WordExtractionTest, MarkupIsSkippedAcrossLines) {
    test::ExpectCases("engine/extraction.txt", "Markup", [](const test::Row& f) {
        Rig r(U16ToUtf8(f[1]));
        r.ex.SetMarkupTypeFromExtension(f[0]);
        const Words words = r.Count(test::Fields(U16ToUtf8(f[2]), " || "));
        return Joined(words) + "; comment state " + std::to_string(r.state.intWithinComment);
    });
}

TEST(WordExtractionTest, WordListMode) {
    test::ExpectCases("engine/extraction.txt", "ListMode", [](const test::Row& f) {
        Rig r;
        r.state.blnReadingWords = true;
        // A scan that stalls on a "<" would yield forever: stop it so the test fails instead.
        r.host.onYield = [&r] { r.state.blnStop = r.host.yields > 10000; };
        if (f[0] == u"C")
            r.ex.SetMarkupType(u"C");
        r.ex.SetAllowedExtraCharsForList(f[0] == u"count-only");
        r.state.strLine = f[1];
        r.ex.ExtractWords();
        EXPECT_TRUE(r.sink.counted.empty());
        EXPECT_EQ(r.state.lngTotalNumOccurrences, 0);
        return Joined(r.sink.added) + "; " + Joined(r.sink.checked);
    });
}

TEST(WordExtractionTest, StripPhraseDecidesWhetherTheWordIsCounted) {
    Rig r;
    r.state.blnStripPhrases = true;
    r.sink.dropInStrip = [](const std::u16string& w) { return w == u"the"; };
    EXPECT_EQ(r.Count(u"the cat the mat "), (Words{u"cat", u"mat"}));
    EXPECT_EQ(r.sink.stripped, (Words{u"the", u"cat", u"the", u"mat"}));
    EXPECT_EQ(r.state.lngTotalNumOccurrences, 4);
}

TEST(WordExtractionTest, NoPluralReductionInPhraseRunsOrForPhraseLists) {
    for (bool RunState::*flag :
         {&RunState::blnCountingMFP, &RunState::blnCountOnlyWordsIncludePhrase}) {
        Rig r;
        r.state.*flag = true;
        EXPECT_EQ(r.Count(u"cats "), Words{u"cats"});
    }
}

TEST(WordExtractionTest, StopAndYields) {
    Rig r;
    r.host.onYield = [&r] { r.state.blnStop = !r.sink.counted.empty(); };
    EXPECT_EQ(r.Count(u"one two three "), Words{u"one"}); // stop ends after the current word

    Rig before;
    before.Count(u"a  b c ");
    EXPECT_EQ(before.host.yields, 3); // once per word before start-up
    Rig after;
    after.state.blnStartUpCompleted = true;
    after.Count(u"a  b c ");
    // positions visited: a, b, c and two spaces reached by the scan (1 + 1 + 1 + 2 = 5),
    // plus one after taking and one after handing on each word
    EXPECT_EQ(after.host.yields, 5 + 3 + 3);
}

TEST(WordExtractionTest, GetNextWordAdvancesPastTheMeasuredWord) {
    Rig r;
    r.ex.SetAllowedExtraChars1();
    r.ex.SetAllowedExtraChars2();
    r.state.strLine = u"well- done ";
    r.state.lngLP = 1;
    EXPECT_EQ(r.ex.GetNextWord(), u"well");
    EXPECT_EQ(r.state.lngLP, 6);
    EXPECT_EQ(r.ex.GetNextWord(), u""); // a space: nothing to measure, nothing moves
    EXPECT_EQ(r.state.lngLP, 6);
}

TEST(WordExtractionTest, CharactersAndTexts) {
    test::ExpectCases("engine/extraction.txt", "IsWordChar", [](const test::Row& f) {
        return IsWordChar(f[0].at(0), f[1] == u"1", f[2]) ? "yes" : "no";
    });
    test::ExpectCases("engine/extraction.txt", "NumAlpha2", [](const test::Row& f) {
        StopFlags s;
        const auto n = NumAlpha2(f[0], 1, false, f[1], &s);
        return std::to_string(n) + (s.semicolon ? " S" : "") + (s.period ? " P" : "") +
               (s.doubleQuote ? " Q" : "") + (s.tab ? " T" : "") + (s.comma ? " C" : "");
    });
    test::ExpectCases("engine/extraction.txt", "PrepareText", [](const test::Row& f) {
        return "\"" + test::Escape(PrepareText(f[0], f[1] == u"1")) + "\"";
    });
    test::ExpectCases("engine/extraction.txt", "MakeSingular", [](const test::Row& f) {
        const auto& word = f[0];
        return Joined({MakeSingular(word, false), MakeSingular(word, true)});
    });
    test::ExpectCases("engine/extraction.txt", "IsContractionStem",
                      [](const test::Row& f) { return IsContractionStem(f[0]) ? "yes" : "no"; });
    // NumAlpha has no tag rule and reports apostrophes.
    test::ExpectCases("engine/extraction.txt", "NumAlpha", [](const test::Row& f) {
        StopFlags s;
        const std::u16string text = f[0] == u"65001 x" ? std::u16string(65001, u'x') : f[0];
        const auto n = NumAlpha(text, 1, f[1] == u"1", f[2], &s);
        return std::to_string(n) + (s.apostrophe ? " A" : "");
    });
    test::ExpectCases("engine/extraction.txt", "StripTrailingChars", [](const test::Row& f) {
        return "\"" + test::Escape(StripTrailingChars(f[0], strProhibitedInitialOrFinalChars)) +
               "\"";
    });
}

TEST(WordExtractionTest, PrepareTextFindsAControlCharacterAtEveryPositionOfLongLines) {
    // Lines are searched eight units at a time, the last units as the last group of eight:
    // one control character or no-break space at every position of lines of every length.
    const std::u16string whole = u"In the beginning God created the heaven";
    for (const auto& [inserted, replacement] :
         std::vector<std::pair<std::u16string, std::u16string>>{{u"\f", u" "},
                                                                {u"\n", u" "},
                                                                {u"\r\n", u" "},
                                                                {u"\u00A0", u" "},
                                                                {u"\b", u""},
                                                                {u"\t", u"\t"},
                                                                {u"\x01", u"\x01"}}) {
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            const std::u16string plain = whole.substr(0, length);
            EXPECT_EQ(PrepareText(plain, true), plain) << length;
            for (std::size_t at = 0; at <= length; ++at) {
                std::u16string in = plain, expected = plain;
                in.insert(at, inserted);
                expected.insert(at, replacement);
                EXPECT_EQ(PrepareText(in, true), expected) << Narrow(inserted) << " " << at;
            }
        }
    }
}

TEST(WordExtractionTest, AllowedExtraCharsInOrder) {
    test::ExpectCases("engine/extraction.txt", "AllowedExtraChars", [](const test::Row& f) {
        Rig r(U16ToUtf8(f[0]));
        r.ex.SetAllowedExtraChars1();
        r.ex.SetAllowedExtraChars2();
        return "\"" + test::Escape(r.ex.AllowedExtraChars()) + "\"";
    });
    // Each box alone, then all together, as the settings window builds them.
    std::string all = "chars=$";
    for (const char* box :
         {"hyphens", "apostrophes", "underscores", "colons", "backslashes", "slashes", "parens",
          "amps", "periods", "commas", "at", "numerals", "user", ""}) {
        all += std::string(" ") + box;
        Rig r(*box ? std::string("hyphens=0 chars=#% ") + box : all);
        r.ex.SetAllowedExtraChars1();
        r.ex.SetAllowedExtraChars2();
        EXPECT_EQ(r.ex.AllowedExtraChars(), AllowedExtraChars(r.settings)) << box;
    }
    // The list forms.
    Rig r;
    r.ex.SetAllowedExtraCharsForList(true);
    EXPECT_EQ(r.ex.AllowedExtraChars(), u"'0123456789-_@:/.\\,()&+");
    EXPECT_TRUE(r.ex.ReadingCountOnlyList());
    r.ex.SetAllowedExtraCharsForList(false);
    EXPECT_EQ(r.ex.AllowedExtraChars(), u"'0123456789-_@:/.\\,()&~?");
    EXPECT_FALSE(r.ex.ReadingCountOnlyList());
    // CommentMarkersOK rebuilds from the settings.
    EXPECT_TRUE(r.ex.CommentMarkersOK());
    EXPECT_EQ(r.ex.AllowedExtraChars(), u"-");
}

TEST(WordExtractionTest, CommentMarkersOK) {
    std::string shown;
    for (const std::string settings : {"", "slashes", "slashes user chars=*", "user chars=*"}) {
        Rig r(settings);
        r.state.blnReadingWords = true;
        r.ex.SetAllowedExtraCharsForList(true);
        shown += settings + (r.ex.CommentMarkersOK() ? ": ok\n" : ": refused\n");
        shown += test::Shown(r.host);
        EXPECT_TRUE(r.state.blnReadingWords); // restored
    }
    test::ExpectSection("engine/extraction.txt", "CommentMarkersOK", shown);
}

TEST(WordExtractionTest, MarkupTypeKeepsTheRunStateInStep) {
    Rig r;
    for (const auto& [type, markers, entities] : std::vector<std::tuple<std::u16string, int, bool>>{
             {u"html", 6, true}, {u"txt", 0, false}, {u"C", 2, false}}) {
        if (type == u"C")
            r.ex.SetMarkupType(type);
        else
            r.ex.SetMarkupTypeFromExtension(type);
        EXPECT_EQ(r.state.intNumCommentMarkers, markers) << Narrow(type);
        EXPECT_EQ(r.state.blnCharacterEntitiesPossible, entities) << Narrow(type);
    }
}

} // namespace
} // namespace lxty
