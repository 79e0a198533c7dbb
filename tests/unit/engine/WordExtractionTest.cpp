// Word extraction: the words a text yields under the settings, the flags that describe where
// each word stopped, word-list mode, markup skipping, plural reduction and the comment-marker
// check.

#include "engine/WordExtraction.h"

#include "FakeHost.h"
#include "base/Host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace lxty {
namespace {

using Words = std::vector<std::u16string>;

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s)
        out += (c < 128) ? static_cast<char>(c) : '?';
    return out;
}

// Records every call and, for each word of a count run, the stop flags in force at the time.
struct RecordingSink : WordSink {
    explicit RecordingSink(const RunState& s) : state(s) {}
    const RunState& state;
    Words added, counted, stripped, checked;
    std::vector<std::u16string> flags; // "P", "Q", "T", "C" for period, quote, tab, comma
    std::function<bool(const std::u16string&)> dropInStrip;

    void AddWordToList(const std::u16string& w) override { added.push_back(w); }
    void GetWords2(const std::u16string& w) override {
        counted.push_back(w);
        std::u16string f;
        if (state.blnStoppedAtPeriod)
            f += u"P";
        if (state.blnStoppedAtDoubleQuote)
            f += u"Q";
        if (state.blnStoppedAtTab)
            f += u"T";
        if (state.blnStoppedAtComma)
            f += u"C";
        flags.push_back(f);
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

void AllOff(Settings& s) {
    s.AllowWordsWithHyphens = 0;
    s.AllowWordsWithApostrophes = 0;
    s.DropFinalS = 0;
}

TEST(WordExtractionTest, LongWordsWithAnotherWordCharacterAnywhere) {
    // Measuring tests eight units at a time for ASCII letters: a hyphen (allowed), a Latin-1
    // letter, a unit whose low byte is a letter, or a stop at every offset of a long word.
    const std::u16string letters = u"abcdefghijklmnopqrstuvwx";
    struct Inner {
        std::u16string unit;
        bool joins; // part of the word; otherwise the word ends there
    };
    const Inner inners[] = {
        {u"-", true}, {u"é", true}, {u"\u0141", true}, {u"\u2019", false}, {u".", false}};
    for (const auto& inner : inners) {
        for (std::size_t at = 1; at < letters.size(); ++at) {
            Rig r;
            AllOff(r.settings);
            r.settings.AllowWordsWithHyphens = 1;
            const std::u16string head = letters.substr(0, at);
            const std::u16string tail = letters.substr(at);
            const Words got = r.Count(u"xy " + head + inner.unit + tail + u" z ");
            const Words expected = inner.joins ? Words{u"xy", head + inner.unit + tail, u"z"}
                                               : Words{u"xy", head, tail, u"z"};
            EXPECT_EQ(expected, got) << Narrow(inner.unit) << " at " << at;
        }
    }
}

TEST(WordExtractionTest, WordsOfATextUnderTheSettings) {
    struct Case {
        const char* name;
        std::function<void(Settings&)> set;
        std::u16string text;
        Words expected;
    };
    const std::u16string as65000(65000, u'a');
    const std::u16string as64999(64999, u'a');
    const std::vector<Case> cases = {
        {"contractions split", AllOff, u"don't stop ", {u"don", u"stop"}},
        {"couldn't gives nothing", AllOff, u"couldn't ", {}},
        {"it's loses its s", AllOff, u"it's ", {u"it"}},
        {"en is a stem ending", AllOff, u"en route ", {u"route"}},
        {"capital T dropped", AllOff, u"DON'T ", {u"DON"}},
        {"'tis", [](Settings& s) { s.AllowWordsWithApostrophes = 1; }, u"'tis ", {u"tis"}},
        {"dogs'", [](Settings& s) { s.AllowWordsWithApostrophes = 1; }, u"dogs' ", {u"dog"}},
        // The plural rule takes the s of a possessive; the apostrophe left at the end goes.
        {"john's it's boss's",
         [](Settings& s) { s.AllowWordsWithApostrophes = 1; },
         u"john's it's boss's ",
         {u"john", u"it", u"boss"}},
        {"it's kept with apostrophes",
         [](Settings& s) {
             s.AllowWordsWithApostrophes = 1;
             s.DropFinalS = 0;
         },
         u"it's ",
         {u"it's"}},
        {"U.S.A.",
         [](Settings& s) { s.AllowWordsWithPeriods = 1; },
         u"U.S.A. now ",
         {u"U.S.A", u"now"}},
        {"-5", [](Settings& s) { s.AllowWordsWithNumerals = 1; }, u"-5 ", {u"5"}},
        {"digits need the numerals option", [](Settings&) {}, u"-5 x1y ", {u"x", u"y"}},
        {"well-", [](Settings&) {}, u"well- ", {u"well"}},
        {"e-mail", [](Settings&) {}, u"e-mail ", {u"e-mail"}},
        {"hyphens off split e-mail", AllOff, u"e-mail ", {u"e", u"mail"}},
        {"(word)", [](Settings& s) { s.AllowWordsWithParentheses = 1; }, u"(word) ", {u"word"}},
        {"a(b)c", [](Settings& s) { s.AllowWordsWithParentheses = 1; }, u"a(b)c ", {u"a(b)c"}},
        {"word<b>more", [](Settings&) {}, u"word<b>more ", {u"word", u"b", u"more"}},
        {"U+0141 is read as A", [](Settings&) {}, u"x\u0141y ", {u"x\u0141y"}},
        {"U+2019 never joins",
         [](Settings& s) {
             s.AllowWordsWithApostrophes = 1;
             s.DropFinalS = 0;
         },
         u"it\u2019s ",
         {u"it", u"s"}},
        {"byte 145 is the left quote",
         [](Settings& s) {
             s.AllowWordsWithApostrophes = 1;
             s.DropFinalS = 0;
         },
         u"it\u0091s ",
         {u"it\u0091s"}},
        {"Latin-1 letters, not 0xD7",
         [](Settings&) {},
         u"caf\u00E9 a\u00D7b ",
         {u"caf\u00E9", u"a", u"b"}},
        {"user characters",
         [](Settings& s) {
             s.AllowWordsWithUserSpecifiedExtraChars = 1;
             s.UserSpecifiedExtraChars = u"#";
         },
         u"c# #x ",
         {u"c#", u"#x"}},
        {"empty text", [](Settings&) {}, u"", {}},
        {"one space", [](Settings&) {}, u" ", {}},
        {"the last character is never looked at", [](Settings&) {}, u"x a", {u"x"}},
        {"one letter before the final space", [](Settings&) {}, u"a ", {u"a"}},
        {"65,000 letters end a word",
         [](Settings&) {},
         as65000 + u"bc next ",
         {as65000, u"bc", u"next"}},
        {"64,999 letters and one more",
         [](Settings&) {},
         as64999 + u"bc next ",
         {as64999 + u"b", u"c", u"next"}},
        {"line ends become spaces",
         [](Settings&) {},
         u"one\ntwo\rthree\nfour\ffive\u00A0six ",
         {u"one", u"two", u"three", u"four", u"five", u"six"}},
        {"backspaces vanish", [](Settings&) {}, u"o\bne ", {u"one"}},
        {"plural reduction", [](Settings&) {}, u"cats flies wishes ", {u"cat", u"fly", u"wish"}},
        {"no reduction for other languages",
         [](Settings& s) { s.CommonWordsLanguages = 1; },
         u"cats ",
         {u"cats"}},
        {"no reduction without DropFinalS",
         [](Settings& s) { s.DropFinalS = 0; },
         u"cats ",
         {u"cats"}},
        {"case-significant reduction",
         [](Settings& s) { s.CaseSignificant = 1; },
         u"FLIES Mice ",
         {u"FLY", u"MOUSE"}},
        {"double hyphens split", [](Settings&) {}, u"xy--z ab--cd ", {u"xy", u"z", u"ab", u"cd"}},
        {"a double hyphen at position 2 stays", [](Settings&) {}, u"a--b ", {u"a--b"}},
    };
    for (const auto& c : cases) {
        Rig r;
        c.set(r.settings);
        EXPECT_EQ(c.expected, r.Count(c.text)) << c.name;
        EXPECT_EQ(static_cast<std::int64_t>(c.expected.size()), r.state.lngTotalNumOccurrences)
            << c.name;
    }
}

TEST(WordExtractionTest, StopFlagsDescribeTheCharacterAfterEachWord) {
    struct Case {
        std::function<void(Settings&)> set;
        std::u16string text;
        Words words;
        Words flags;
    };
    const std::vector<Case> cases = {
        {[](Settings&) {},
         u"one. two, \"three\" four\tfive ",
         {u"one", u"two", u"three", u"four", u"five"},
         {u"P", u"C", u"Q", u"T", u""}},
        // the scan ended at the space, not at the stripped final period
        {[](Settings& s) { s.AllowWordsWithPeriods = 1; },
         u"U.S.A. x.",
         {u"U.S.A", u"x"},
         {u"", u""}},
        {[](Settings& s) { s.AllowWordsWithCommas = 1; }, u"a,b, c ", {u"a,b", u"c"}, {u"", u""}},
        {[](Settings&) {}, u"end;", {u"end"}, {u""}},
    };
    for (const auto& c : cases) {
        Rig r;
        c.set(r.settings);
        EXPECT_EQ(c.words, r.Count(c.text)) << Narrow(c.text);
        EXPECT_EQ(c.flags, r.sink.flags) << Narrow(c.text);
    }
}

TEST(WordExtractionTest, MarkupIsSkippedAcrossLines) {
    struct Case {
        std::u16string extension;
        std::vector<std::u16string> lines;
        Words expected;
    };
    const std::vector<Case> cases = {
        {u"htm", {u"before <!-- one ", u"two three ", u"four --> after "}, {u"before", u"after"}},
        {u"html", {u"a <script>var x = 1;</script> after words "}, {u"a", u"after", u"word"}},
        {u"html", {u"<p>Caf&eacute; <b>bold</b> text</p> "}, {u"Caf\u00E9", u"bold", u"text"}},
        {u"html", {u"&Eacute;t&eacute; "}, {u"\u00C9t\u00E9"}},
        {u"html", {u"x &#233; y &hellip; z "}, {u"x", u"y", u"z"}},
        {u"html", {u"<a ", u"href=x>link</a> "}, {u"link"}},
        {u"xml", {u"<r><![CDATA[kept text]]></r> "}, {u"kept", u"text"}},
        {u"xml", {u"<?xml version=\"1.0\"?> <r>body</r> "}, {u"body"}},
        {u"cpp", {u"int x; // note here ", u"/* one ", u"two */ y "}, {u"int", u"x", u"y"}},
        {u"c", {u"a/*b*/c "}, {u"a", u"c"}},
        {u"php", {u"<?php echo x; // note ", u"?> text "}, {u"echo", u"x", u"text"}},
        {u"txt", {u"<b>a</b> "}, {u"b", u"a", u"b"}},
        // In markup files a tag never joins the words around it, whatever it holds.
        {u"html", {u"series<br/>changes <o:p>word</o:p> "}, {u"sery", u"change", u"word"}},
        {u"xml", {u"one<x/>two "}, {u"one", u"two"}},
        // Outside markup files a tag that is a valid expression stays in the word.
        {u"txt", {u"series<br/>changes "}, {u"series<br/>change"}},
    };
    for (const auto& c : cases) {
        Rig r;
        r.ex.SetMarkupTypeFromExtension(c.extension);
        EXPECT_EQ(c.expected, r.Count(c.lines)) << Narrow(c.lines[0]);
        EXPECT_EQ(-1, r.state.intWithinComment) << Narrow(c.lines[0]);
    }
}

TEST(WordExtractionTest, UnfinishedRegionCarriesToTheNextLine) {
    Rig r;
    r.ex.SetMarkupTypeFromExtension(u"c");
    EXPECT_EQ(Words{u"a"}, r.Count(u"a /* open "));
    EXPECT_EQ(0, r.state.intWithinComment);
}

TEST(WordExtractionTest, WordsAreCutAtEntities) {
    struct Case {
        std::u16string extension;
        std::u16string text;
        Words expected;
    };
    const std::vector<Case> cases = {
        {u"html", u"foo&hellip; bar ", {u"foo", u"bar"}},
        {u"html", u"a&x; b ", {u"a&x", u"b"}},                  // "&x;" is too short for an entity
        {u"xml", u"&hellip; x ", {u"x"}},                       // nothing left of the word
        {u"xml", u"AT&T rocks ", {u"AT&T", u"rock"}},           // no ";": no cut
        {u"txt", u"foo&hellip; bar ", {u"foo&hellip", u"bar"}}, // plain text: no cut
    };
    for (const auto& c : cases) {
        Rig r;
        r.settings.AllowWordsWithAmpersands = 1;
        r.ex.SetMarkupTypeFromExtension(c.extension);
        EXPECT_EQ(c.expected, r.Count(c.text)) << Narrow(c.text);
    }
}

TEST(WordExtractionTest, WordListMode) {
    struct Case {
        bool countOnly;
        std::u16string text;
        Words added;
        Words checked;
    };
    const std::vector<Case> cases = {
        {true,
         u"<[a-z]+ing> hello+world cats don't ",
         {u"<[a-z]+ing>", u"hello+world", u"cats", u"don't"},
         {u"hello+world", u"cats", u"don't"}},
        // a "<" that measures no word is passed over instead of stalling the scan
        {true, u"< x <a b> y ", {u"x", u"a", u"b", u"y"}, {u"x", u"a", u"b", u"y"}},
        {true, u"a<b ", {u"a", u"b"}, {u"a", u"b"}},
        {false, u"th~ abc? t\tx ", {u"th~", u"abc?", u"t", u"x"}, {}},
        {false, u"a+b ", {u"a", u"b"}, {}},
    };
    for (const auto& c : cases) {
        Rig r;
        r.state.blnReadingWords = true;
        // A scan that stalls on a "<" would yield forever: stop it so the test fails instead.
        r.host.onYield = [&r] {
            if (r.host.yields > 10000)
                r.state.blnStop = true;
        };
        r.ex.SetAllowedExtraCharsForList(c.countOnly);
        r.state.strLine = c.text;
        r.ex.ExtractWords();
        EXPECT_EQ(c.added, r.sink.added) << Narrow(c.text);
        EXPECT_EQ(c.checked, r.sink.checked) << Narrow(c.text);
        EXPECT_TRUE(r.sink.counted.empty());
        EXPECT_EQ(0, r.state.lngTotalNumOccurrences);
    }
}

TEST(WordExtractionTest, ListCommentsAreSkippedWithCMarkers) {
    Rig r;
    r.state.blnReadingWords = true;
    r.ex.SetMarkupType(u"C");
    r.ex.SetAllowedExtraCharsForList(false);
    r.state.strLine = u"one /* two */ three // four ";
    r.ex.ExtractWords();
    EXPECT_EQ((Words{u"one", u"three"}), r.sink.added);
}

TEST(WordExtractionTest, StripPhraseDecidesWhetherTheWordIsCounted) {
    Rig r;
    r.state.blnStripPhrases = true;
    r.sink.dropInStrip = [](const std::u16string& w) { return w == u"the"; };
    EXPECT_EQ((Words{u"cat", u"mat"}), r.Count(u"the cat the mat "));
    EXPECT_EQ((Words{u"the", u"cat", u"the", u"mat"}), r.sink.stripped);
    EXPECT_EQ(4, r.state.lngTotalNumOccurrences);
}

TEST(WordExtractionTest, NoPluralReductionInPhraseRunsOrForPhraseLists) {
    for (int which = 0; which < 2; ++which) {
        Rig r;
        if (which == 0)
            r.state.blnCountingMFP = true;
        else
            r.state.blnCountOnlyWordsIncludePhrase = true;
        EXPECT_EQ((Words{u"cats"}), r.Count(u"cats ")) << which;
    }
}

TEST(WordExtractionTest, StopEndsAfterTheCurrentWord) {
    Rig r;
    r.host.onYield = [&r] {
        if (!r.sink.counted.empty())
            r.state.blnStop = true; // requested while "two" is being taken
    };
    EXPECT_EQ((Words{u"one"}), r.Count(u"one two three "));
}

TEST(WordExtractionTest, YieldsOncePerWordBeforeStartUpAndMoreAfter) {
    Rig before;
    before.Count(u"a  b c ");
    EXPECT_EQ(3, before.host.yields);

    Rig after;
    after.state.blnStartUpCompleted = true;
    after.Count(u"a  b c ");
    // positions visited: a, b, c and two spaces reached by the scan (1 + 1 + 1 + 2 = 5),
    // plus one after taking and one after handing on each word
    EXPECT_EQ(5 + 3 + 3, after.host.yields);
}

TEST(WordExtractionTest, GetNextWordAdvancesPastTheMeasuredWord) {
    Rig r;
    r.ex.SetAllowedExtraChars1();
    r.ex.SetAllowedExtraChars2();
    r.state.strLine = u"well- done ";
    r.state.lngLP = 1;
    EXPECT_EQ(u"well", r.ex.GetNextWord());
    EXPECT_EQ(6, r.state.lngLP);
    r.state.lngLP = 6; // a space: nothing to measure, nothing moves
    EXPECT_EQ(u"", r.ex.GetNextWord());
    EXPECT_EQ(6, r.state.lngLP);
}

TEST(WordExtractionTest, IsWordChar) {
    struct Case {
        char16_t ch;
        bool numeric;
        std::u16string extra;
        bool expected;
    };
    const std::vector<Case> cases = {
        {u'A', false, u"", true},
        {u'z', false, u"", true},
        {u'@', false, u"", false},
        {u'[', false, u"", false},
        {u'0', false, u"", false},
        {u'0', true, u"", true},
        {u'9', false, u"0123456789", true},
        {u'-', false, u"-", true},
        {u'-', false, u"'", false},
        {u'\u00C0', false, u"", true},
        {u'\u00D6', false, u"", true},
        {u'\u00D7', false, u"", false},
        {u'\u00D8', false, u"", true},
        {u'\u00F6', false, u"", true},
        {u'\u00F7', false, u"", false},
        {u'\u00F8', false, u"", true},
        {u'\u00FF', false, u"", true},
        {u'\u00BF', false, u"", false},
        {u'\u0141', false, u"", true},               // low byte 0x41, "A"
        {u'\u2019', false, u"'\u2018\u2019", false}, // low byte 0x19
        {u'\u0091', false, u"\u2018", true},         // byte 145 is U+2018 in Windows-1252
        {u'\u2018', false, u"\u2018", false},        // low byte 0x18
        {u'\u0127', false, u"'", true},              // low byte 0x27, "'"
        {u'\u00E9', false, u"", true},
        {u'\u0000', false, u"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsWordChar(c.ch, c.numeric, c.extra)) << static_cast<int>(c.ch);
}

TEST(WordExtractionTest, NumAlpha2) {
    struct Case {
        std::u16string text;
        std::u16string extra;
        std::int64_t expected;
        std::u16string flags; // S P Q T C
    };
    const std::vector<Case> cases = {
        {u"word<b>", u"", 4, u""},
        {u"ab<>cd", u"", 4, u""}, // "<>" is taken and ends the word
        {u"a</b>", u"", 1, u""},
        {u"a<x y>b", u"", 1, u""},
        {u"a<[z]>b ", u"", 7, u""}, // an accepted pattern is taken in
        {u"a<[z>b ", u"", 2, u""},  // a rejected one gives its "<"
        {u"a<z", u"", 1, u""},      // no ">"
        {u"<[a-z]+ing> ", u"", 11, u""},
        {u"abc;", u"", 3, u"S"},
        {u"abc.", u"", 3, u"P"},
        {u"abc\"", u"", 3, u"Q"},
        {u"abc\t", u"", 3, u"T"},
        {u"abc,", u"", 3, u"C"},
        {u"abc", u"", 3, u""},
        {u"a.b.", u".", 4, u""},
        {u" ", u"", 0, u""},
        {u"", u"", 0, u""},
    };
    for (const auto& c : cases) {
        StopFlags f;
        EXPECT_EQ(c.expected, NumAlpha2(c.text, 1, false, c.extra, &f)) << Narrow(c.text);
        std::u16string got;
        if (f.semicolon)
            got += u"S";
        if (f.period)
            got += u"P";
        if (f.doubleQuote)
            got += u"Q";
        if (f.tab)
            got += u"T";
        if (f.comma)
            got += u"C";
        EXPECT_EQ(c.flags, got) << Narrow(c.text);
    }
}

TEST(WordExtractionTest, NumAlphaHasNoTagRuleAndReportsApostrophes) {
    StopFlags f;
    EXPECT_EQ(2, NumAlpha(u"ab'c", 1, false, u"", &f));
    EXPECT_TRUE(f.apostrophe);
    EXPECT_EQ(1, NumAlpha(u"a<[z]>b", 1, false, u"", &f));
    EXPECT_EQ(2, NumAlpha(u"//", 1, false, u"/", &f));
    EXPECT_EQ(1, NumAlpha(u"/*", 1, false, u"/", &f));
    EXPECT_EQ(3, NumAlpha(u"a12", 1, true, u"", &f));
    EXPECT_EQ(65000, NumAlpha(std::u16string(65001, u'x'), 1, false, u"", &f));
}

TEST(WordExtractionTest, PrepareText) {
    struct Case {
        std::u16string in;
        bool keepTabs;
        std::u16string out;
    };
    const std::vector<Case> cases = {
        {u"a\nb", true, u"a b"},    {u"a\rb", true, u"a b"},
        {u"a\n\nb", true, u"a  b"}, {u"a\n\rb", true, u"a  b"},
        {u"a\fb", true, u"a b"},    {u"a\u00A0b", true, u"a b"},
        {u"a\bb", true, u"ab"},     {u"a\r\b\nb", true, u"a b"},
        {u"a\tb", true, u"a\tb"},   {u"a\tb", false, u"a b"},
        {u"", true, u""},           {u"\b\b", true, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, PrepareText(c.in, c.keepTabs)) << Narrow(c.in);
}

TEST(WordExtractionTest, PrepareTextFindsAControlCharacterAtEveryPositionOfLongLines) {
    // Lines are searched eight units at a time, the last units as the last group of eight:
    // one control character or no-break space at every position of lines of every length.
    const std::u16string whole = u"In the beginning God created the heaven";
    struct Case {
        std::u16string inserted;
        std::u16string replacement;
    };
    const std::vector<Case> cases = {
        {u"\f", u" "}, {u"\n", u" "},  {u"\n", u" "},      {u"\u00A0", u" "},
        {u"\b", u""},  {u"\t", u"\t"}, {u"\x01", u"\x01"},
    };
    for (const auto& c : cases) {
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            const std::u16string plain = whole.substr(0, length);
            EXPECT_EQ(plain, PrepareText(plain, true)) << length;
            for (std::size_t at = 0; at <= length; ++at) {
                std::u16string in = plain;
                in.insert(at, c.inserted);
                std::u16string expected = plain;
                expected.insert(at, c.replacement);
                EXPECT_EQ(expected, PrepareText(in, true)) << Narrow(c.inserted) << " " << at;
            }
        }
    }
}

TEST(WordExtractionTest, MakeSingular) {
    struct Case {
        std::u16string word;
        bool caseSignificant;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"flies", false, u"fly"},
        {u"ties", false, u"tie"},
        {u"pies", false, u"pie"},
        {u"plaies", false, u"plaie"},
        {u"wishes", false, u"wish"},
        {u"passes", false, u"pass"},
        {u"buzzes", false, u"buzz"},
        {u"heroes", false, u"hero"},
        {u"toes", false, u"to"},
        {u"shoes", false, u"shoe"},
        {u"floes", false, u"floe"},
        {u"horses", false, u"horse"},
        {u"boxes", false, u"boxe"},
        {u"trees", false, u"tree"},
        {u"cats", false, u"cat"},
        {u"glass", false, u"glass"},
        {u"bus", false, u"bus"},
        {u"this", false, u"this"},
        {u"physics", false, u"physics"},
        {u"mice", false, u"mouse"},
        {u"lice", false, u"louse"},
        {u"species", false, u"species"},
        {u"rights", false, u"rights"},
        {u"Rights", false, u"Rights"},
        {u"as", false, u"as"},
        {u"its", false, u"it"},
        {u"dog", false, u"dog"},
        {u"  cats  ", false, u"cat"},
        {u"ice", false, u"ice"},
        // endings ignore case; the replacement is lower case unless the flag is set and the
        // ending is exactly in capitals
        {u"FLIES", false, u"FLy"},
        {u"FLIES", true, u"FLY"},
        {u"FlIES", true, u"FlY"},
        {u"FLIeS", true, u"FLy"},
        {u"HEROES", false, u"HERo"},
        {u"HEROES", true, u"HERO"},
        {u"BOXES", false, u"BOXe"},
        {u"BOXES", true, u"BOXE"},
        {u"CATS", false, u"CAT"},
        {u"SPECIES", true, u"SPECIES"},
        // floes and shoes compare lower-cased only with the flag
        {u"FLOES", true, u"FLOE"},
        {u"FLOES", false, u"FLo"},
        // mice and lice: lower-cased with the flag, as they stand otherwise
        {u"MICE", true, u"MOUSE"},
        {u"Mice", true, u"MOUSE"},
        {u"mice", true, u"mouse"},
        {u"Mice", false, u"Mice"},
        {u"LICE", false, u"LICE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, MakeSingular(c.word, c.caseSignificant))
            << Narrow(c.word) << " " << c.caseSignificant;
}

TEST(WordExtractionTest, IsContractionStem) {
    const std::vector<std::pair<std::u16string, bool>> cases = {
        {u"aren", true},     {u"couldn", true},   {u"didn", true},   {u"doesn", true},
        {u"hadn", true},     {u"hasn", true},     {u"isn", true},    {u"shouldn", true},
        {u"wasn", true},     {u"weren", true},    {u"wouldn", true}, {u"AREN", true},
        {u"en", true},       {u"n", true},        {u"uldn", true},   {u"sn", true},
        {u"are", false},     {u"couldnt", false}, {u"won", false},   {u"then", false},
        {u"n couldn", true}, // a plain substring search
        {u"can", false},
    };
    for (const auto& [word, expected] : cases)
        EXPECT_EQ(expected, IsContractionStem(word)) << Narrow(word);
}

TEST(WordExtractionTest, StripTrailingChars) {
    EXPECT_EQ(u"word", StripTrailingChars(u"word.,)", strProhibitedInitialOrFinalChars));
    EXPECT_EQ(u"", StripTrailingChars(u"'.,", strProhibitedInitialOrFinalChars));
    EXPECT_EQ(u"a-b", StripTrailingChars(u"a-b", strProhibitedInitialOrFinalChars));
    EXPECT_EQ(u"(a", StripTrailingChars(u"(a)", strProhibitedInitialOrFinalChars));
}

TEST(WordExtractionTest, AllowedExtraCharsInOrder) {
    struct Case {
        std::function<void(Settings&)> set;
        std::u16string expected;
    };
    auto everything = [](Settings& s) {
        s.AllowWordsWithHyphens = s.AllowWordsWithApostrophes = s.AllowWordsWithUnderscores = 1;
        s.AllowWordsWithColons = s.AllowWordsWithBackslashes = 1;
        s.AllowWordsWithForwardslashes = s.AllowWordsWithPeriods = s.AllowWordsWithAtSigns = 1;
        s.AllowWordsWithNumerals = s.AllowWordsWithParentheses = 1;
        s.AllowWordsWithAmpersands = s.AllowWordsWithUserSpecifiedExtraChars = 1;
        s.AllowWordsWithCommas = 1;
        s.UserSpecifiedExtraChars = u"#%";
    };
    const std::vector<Case> cases = {
        {[](Settings&) {}, u"-"}, // the defaults allow hyphens only
        {AllOff, u""},
        {everything, u"-'\u2018_:\\/.@0123456789()&#%,"},
        {[](Settings& s) {
             AllOff(s);
             s.AllowWordsWithApostrophes = 2; // greyed
             s.AllowWordsWithCommas = 2;
         },
         u""},
        {[](Settings& s) {
             AllOff(s);
             s.UserSpecifiedExtraChars = u"#"; // not allowed: not appended
         },
         u""},
    };
    for (const auto& c : cases) {
        Rig r;
        c.set(r.settings);
        r.ex.SetAllowedExtraChars1();
        r.ex.SetAllowedExtraChars2();
        EXPECT_EQ(c.expected, r.ex.AllowedExtraChars());
    }
}

TEST(WordExtractionTest, ListFormsOfTheExtraChars) {
    Rig r;
    r.ex.SetAllowedExtraCharsForList(true);
    EXPECT_EQ(u"'0123456789-_@:/.\\,()&+", r.ex.AllowedExtraChars());
    EXPECT_TRUE(r.ex.ReadingCountOnlyList());
    r.ex.SetAllowedExtraCharsForList(false);
    EXPECT_EQ(u"'0123456789-_@:/.\\,()&~?", r.ex.AllowedExtraChars());
    EXPECT_FALSE(r.ex.ReadingCountOnlyList());
}

TEST(WordExtractionTest, CommentMarkersOK) {
    struct Case {
        std::function<void(Settings&)> set;
        bool ok;
        std::u16string marker;
    };
    const std::vector<Case> cases = {
        {[](Settings&) {}, true, u""},
        {[](Settings& s) { s.AllowWordsWithForwardslashes = 1; }, false, u"//"},
        {[](Settings& s) {
             s.AllowWordsWithForwardslashes = 1;
             s.AllowWordsWithUserSpecifiedExtraChars = 1;
             s.UserSpecifiedExtraChars = u"*";
         },
         false, u"/*"},
        {[](Settings& s) {
             s.AllowWordsWithUserSpecifiedExtraChars = 1;
             s.UserSpecifiedExtraChars = u"*";
         },
         true, u""},
    };
    for (const auto& c : cases) {
        Rig r;
        c.set(r.settings);
        r.state.blnReadingWords = true;
        r.ex.SetAllowedExtraCharsForList(true);
        EXPECT_EQ(c.ok, r.ex.CommentMarkersOK());
        EXPECT_TRUE(r.state.blnReadingWords); // restored
        if (c.ok) {
            EXPECT_TRUE(r.host.messages.empty());
            continue;
        }
        ASSERT_EQ(1u, r.host.messages.size());
        EXPECT_EQ(u"With the current settings the start-comment marker\n\"" + c.marker +
                      u"\" could be part of a word.\n\nCheck the the 'Settings' window and "
                      u"perhaps disallow comment\nmarkers or restrict allowable characters "
                      u"in 'words'.",
                  r.host.messages[0].text);
        EXPECT_EQ(u"Error", r.host.messages[0].title);
        EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
        EXPECT_FALSE(r.host.messages[0].question);
    }
}

TEST(WordExtractionTest, CommentMarkersOKRebuildsFromTheSettings) {
    Rig r;
    r.ex.SetAllowedExtraCharsForList(false);
    EXPECT_TRUE(r.ex.CommentMarkersOK());
    EXPECT_EQ(u"-", r.ex.AllowedExtraChars());
}

TEST(WordExtractionTest, MarkupTypeKeepsTheRunStateInStep) {
    Rig r;
    r.ex.SetMarkupTypeFromExtension(u"html");
    EXPECT_EQ(6, r.state.intNumCommentMarkers);
    EXPECT_TRUE(r.state.blnCharacterEntitiesPossible);
    r.ex.SetMarkupTypeFromExtension(u"txt");
    EXPECT_EQ(0, r.state.intNumCommentMarkers);
    EXPECT_FALSE(r.state.blnCharacterEntitiesPossible);
    r.ex.SetMarkupType(u"C");
    EXPECT_EQ(2, r.state.intNumCommentMarkers);
    EXPECT_FALSE(r.state.blnCharacterEntitiesPossible);
}

} // namespace
} // namespace lxty
