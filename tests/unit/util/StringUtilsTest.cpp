// String helpers: case and accent folding tables, the seven-bit and capital tests, the 1-based
// set searches, suffix handling and the UTF-8 edge of the engine.

#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

struct CaseCase {
    std::u16string upper;
    std::u16string lower;
};

TEST(StringUtils, LowerCaseAllMapsTheAccentedCapitalsPositionByPosition) {
    EXPECT_EQ(LowerCaseAll(u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ"), u"šÿàáâãäåçèéêëìíîïðñòóôõöøùúûüý");
    EXPECT_EQ(UpperCaseAll(u"šÿàáâãäåçèéêëìíîïðñòóôõöøùúûüý"), u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ");
}

TEST(StringUtils, StandardCaseMappingCoversLatinGreekAndCyrillic) {
    const std::vector<CaseCase> cases = {
        {u"HELLO, WORLD 42!", u"hello, world 42!"},
        {u"ŒÆÞ", u"œæþ"}, // Latin-1 and the ligature outside the table
        {u"ĀĂĄĆĈĊČĎĐĒŁŃŇŐŔŘŚŞŤŮŰŴŶŹŻŽ", u"āăąćĉċčďđēłńňőŕřśşťůűŵŷźżž"},
        {u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏ", u"αβγδεζηθικλμνξοπρστυφχψωάέήίόύώ"},
        {u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁЄІЇЎ", u"абвгдежзийклмнопрстуфхцчшщъыьэюяёєіїў"},
        {u"ǄǇǊ", u"ǆǉǌ"},
        {u"ÀB×Ø", u"àb×ø"}, // × is not a letter and stays
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LowerCaseAll(c.upper), c.lower);
        EXPECT_EQ(UpperCaseAll(c.lower), c.upper);
    }
}

TEST(StringUtils, CaseMappingKeepsTheLengthOfEveryText) {
    // One code unit in, one out: ß has no single capital, İ lower-cases to plain i, and final
    // sigma upper-cases like sigma; surrogate halves are never touched.
    EXPECT_EQ(UpperCaseAll(u"straße"), u"STRAßE");
    EXPECT_EQ(LowerCaseAll(u"İSTANBUL"), u"istanbul");
    EXPECT_EQ(UpperCaseAll(u"λόγος"), u"ΛΌΓΟΣ");
    EXPECT_EQ(LowerCaseAll(u"\U0001D400x"), u"\U0001D400x");
    EXPECT_EQ(LowerCaseAll(u""), u"");
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::u16string one(1, static_cast<char16_t>(c));
        ASSERT_EQ(LowerCaseAll(one).size(), 1u);
        ASSERT_EQ(UpperCaseAll(one).size(), 1u);
    }
}

TEST(StringUtils, LowerCasingInPlaceAgreesWithTheCopyAndUnitByUnit) {
    // Long ASCII runs are lower-cased eight units at a time, the last units as the last group
    // of eight: a capital, an accented capital or a unit beyond Latin-1 at every position of
    // texts of every length, and the edges of the A-Z range.
    const std::u16string whole = u"The QUICK Brown Fox @[`{ Jumps OVER the lazy DOG, Z A z a";
    const std::u16string others[] = {u"Ä", u"Ÿ", u"İ", u"Ω", u"\u0080", u"\u017F", u"Z"};
    for (const auto& other : others) {
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            const std::u16string ascii = whole.substr(0, length);
            for (std::size_t at = 0; at <= ascii.size(); ++at) {
                std::u16string text = ascii;
                text.insert(at, other);
                std::u16string expected;
                for (const char16_t c : text)
                    expected += LowerCaseAll(std::u16string(1, c));
                std::u16string inPlace = text;
                LowerCaseAllInPlace(inPlace);
                EXPECT_EQ(expected, inPlace) << length << " " << at;
                EXPECT_EQ(expected, LowerCaseAll(text)) << length << " " << at;
                for (std::size_t k = 0; k < text.size(); ++k)
                    ASSERT_EQ(expected[k], LowerCaseChar(text[k])) << at << " " << k;
            }
        }
    }
    EXPECT_EQ(LowerCaseAll(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ@[`{"), u"abcdefghijklmnopqrstuvwxyz@[`{");
}

TEST(StringUtils, FoldAccentsExpandsLigaturesAndUmlautsThenStripsAccents) {
    EXPECT_EQ(FoldAccents(u"ŒÄÆÖÜäæöüß"), u"OeAeAeOeUeaeaeoeuess");
    EXPECT_EQ(FoldAccents(u"ŠŸÀÁÂÃÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕØÙÚÛÝšÿàáâãåçèéêëìíîïñòóôõøùúûý"),
              u"SYAAAAACEEEEIIIIDNOOOOOUUUYsyaaaaaceeeeiiiinooooouuuy");
    const std::vector<CaseCase> words = {
        {u"Straße", u"Strasse"},
        {u"Œuvre", u"Oeuvre"},
        {u"Müller", u"Mueller"},
        {u"façade", u"facade"},
        {u"naïve", u"naive"},
        {u"Ðorđe", u"Dorđe"},
        {u"ðing", u"ðing"},
        {u"Łódź", u"Łodź"},
        {u"plain", u"plain"},
        {u"", u""},
        {u"œ", u"œ"}, // small oe is not in the ligature table
    };
    for (const auto& w : words) {
        EXPECT_EQ(FoldAccents(w.upper), w.lower) << std::string(w.upper.begin(), w.upper.end());
    }
}

TEST(StringUtils, IsAllUpperCaseUsesTheFixedCapitalSet) {
    struct Case {
        std::u16string text;
        bool expected;
    };
    const std::vector<Case> cases = {
        {u"", true},     {u"ABCXYZ", true}, {u"ŠŒŸÀÆÞÝ", true}, {u"ABc", false},
        {u"A B", false}, {u"A1", false},    {u"Ł", false},      {u"Ω", false},
        {u"×", false},   {u"ÿ", false},     {u"I", true},       {u"OUSE", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAllUpperCase(c.text), c.expected);
    }
}

TEST(StringUtils, IsSevenBitAsciiLooksOnlyAtTheLowByte) {
    EXPECT_TRUE(IsSevenBitAscii(u""));
    EXPECT_TRUE(IsSevenBitAscii(u"plain text 123 ~\x7F"));
    EXPECT_TRUE(IsSevenBitAscii(u"\u0141")); // low byte 0x41
    EXPECT_TRUE(IsSevenBitAscii(u"\u2019")); // low byte 0x19
    EXPECT_FALSE(IsSevenBitAscii(u"caf\u00E9"));
    EXPECT_FALSE(IsSevenBitAscii(u"a\u0080"));
    EXPECT_FALSE(IsSevenBitAscii(u"\u0180")); // low byte 0x80
    EXPECT_FALSE(IsSevenBitAscii(u"\u20AC")); // low byte 0xAC
}

TEST(StringUtils, IsAlphanumericAcceptsOnlyAsciiLettersAndDigits) {
    EXPECT_TRUE(IsAlphanumeric(u"", true));
    EXPECT_FALSE(IsAlphanumeric(u"", false));
    EXPECT_TRUE(IsAlphanumeric(u"abcXYZ0189", false));
    EXPECT_FALSE(IsAlphanumeric(u"ab-c", true));
    EXPECT_FALSE(IsAlphanumeric(u"a b", true));
    EXPECT_FALSE(IsAlphanumeric(u"é", true));
    EXPECT_FALSE(IsAlphanumeric(u"\u0141", true)); // whole characters, not low bytes
}

TEST(StringUtils, FindFirstOfIsOneBasedWithIndexInSet) {
    struct Case {
        std::u16string text;
        std::int64_t start;
        std::u16string set;
        std::int64_t position;
        int index;
    };
    const std::vector<Case> cases = {
        {u"hello world", 1, u"ow", 5, 1},  {u"hello world", 5, u"ow", 5, 1},
        {u"hello world", 6, u"ow", 7, 2},  {u"hello world", 9, u"ow", 0, 0},
        {u"hello world", 11, u"d", 11, 1}, {u"hello world", 12, u"d", 0, 0},
        {u"hello world", 0, u"h", 1, 1},   {u"hello world", -3, u"e", 2, 1},
        {u"hello", 1, u"", 0, 0},          {u"", 1, u"abc", 0, 0},
        {u"a;b", 1, u"+;<", 2, 2},
    };
    for (const auto& c : cases) {
        int index = -1;
        EXPECT_EQ(FindFirstOf(c.text, c.start, c.set, &index), c.position);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(FindFirstOf(c.text, c.start, c.set), c.position);
    }
}

TEST(StringUtils, FindFirstNotOfAndNextNonSpace) {
    EXPECT_EQ(FindFirstNotOf(u"aab", 1, u"a"), 3);
    EXPECT_EQ(FindFirstNotOf(u"aab", 3, u"a"), 3);
    EXPECT_EQ(FindFirstNotOf(u"aaa", 1, u"a"), 0);
    EXPECT_EQ(FindFirstNotOf(u"abc", 4, u"x"), 0);
    EXPECT_EQ(FindFirstNotOf(u"abc", 1, u""), 1);
    EXPECT_EQ(NextNonSpace(u"   word ", 1), 4);
    EXPECT_EQ(NextNonSpace(u"a  b", 2), 4);
    EXPECT_EQ(NextNonSpace(u"word   ", 5), 0);
    EXPECT_EQ(NextNonSpace(u"", 1), 0);
    EXPECT_EQ(NextNonSpace(u" \tx", 1), 2); // only the blank counts as space
}

TEST(StringUtils, RemoveChars) {
    EXPECT_EQ(RemoveChars(u"'0123-_@:/.\\,()&", u"'.,()+-"), u"0123_@:/\\&");
    EXPECT_EQ(RemoveChars(u"abc", u""), u"abc");
    EXPECT_EQ(RemoveChars(u"", u"abc"), u"");
    EXPECT_EQ(RemoveChars(u"aaa", u"a"), u"");
}

TEST(StringUtils, EndsWithAndReplaceSuffix) {
    EXPECT_TRUE(EndsWith(u"flies", u"ies", true));
    EXPECT_TRUE(EndsWith(u"FLIES", u"ies", false));
    EXPECT_FALSE(EndsWith(u"FLIES", u"ies", true));
    EXPECT_TRUE(EndsWith(u"CAFÉ", u"é", false));
    EXPECT_FALSE(EndsWith(u"es", u"ies", false)); // ending longer than the word
    EXPECT_TRUE(EndsWith(u"word", u"", true));
    EXPECT_TRUE(EndsWith(u"ies", u"IES", false));

    EXPECT_EQ(ReplaceSuffix(u"flies", u"ies", u"y", true), u"fly");
    EXPECT_EQ(ReplaceSuffix(u"FLIES", u"ies", u"y", false), u"FLy");
    EXPECT_EQ(ReplaceSuffix(u"FLIES", u"ies", u"y", true), u"FLIES");
    EXPECT_EQ(ReplaceSuffix(u"wishes", u"es", u"", false), u"wish");
    EXPECT_EQ(ReplaceSuffix(u"cat", u"dog", u"x", false), u"cat");
    EXPECT_EQ(ReplaceSuffix(u"ies", u"ies", u"y", true), u"y");
}

TEST(StringUtils, Utf8DecodesEverySequenceLength) {
    EXPECT_EQ(Utf8ToU16("plain"), u"plain");
    EXPECT_EQ(Utf8ToU16("caf\xC3\xA9"), u"café");
    EXPECT_EQ(Utf8ToU16("\xE2\x82\xAC 5"), u"€ 5");
    EXPECT_EQ(Utf8ToU16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf8ToU16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
    EXPECT_EQ(Utf8ToU16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Utf8ToU16(""), u"");
}

TEST(StringUtils, Utf8ReplacesEachIllFormedStretchWithOneReplacementCharacter) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"\x80", u"\uFFFD"}, // lone continuation byte
        {"a\xBF\xBF"
         "b",
         u"a\uFFFD\uFFFDb"}, // each stray continuation counts
        {"\xC3", u"\uFFFD"}, // truncated at the end
        {"\xE2\x82"
         "a",
         u"\uFFFDa"},                                      // truncated, next byte kept
        {"\xC0\x80", u"\uFFFD\uFFFD"},                     // overlong NUL
        {"\xC1\xBF", u"\uFFFD\uFFFD"},                     // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // overlong three-byte form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xF5\x80", u"\uFFFD\uFFFD"},
        {"\xFF"
         "x",
         u"\uFFFDx"},
        {"\xF0\x9F\x98", u"\uFFFD"},     // truncated four-byte form
        {"\xE9t\xE9", u"\uFFFDt\uFFFD"}, // a Latin-1 text is not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToU16(c.bytes), c.text);
    }
}

TEST(StringUtils, U16ToUtf8EncodesPairsAndReplacesLoneSurrogates) {
    EXPECT_EQ(U16ToUtf8(u"café €"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(U16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(U16ToUtf8(std::u16string(1, char16_t(0xD83D))), "\xEF\xBF\xBD");
    EXPECT_EQ(U16ToUtf8(std::u16string(1, char16_t(0xDE00))), "\xEF\xBF\xBD");
    const std::u16string reversed = {char16_t(0xDE00), char16_t(0xD83D), u'x'};
    EXPECT_EQ(U16ToUtf8(reversed), "\xEF\xBF\xBD\xEF\xBF\xBDx");
    const std::u16string highThenText = {char16_t(0xD83D), u'a'};
    EXPECT_EQ(U16ToUtf8(highThenText), "\xEF\xBF\xBD"
                                       "a");
}

TEST(StringUtils, Utf8RoundTripsEveryCharacter) {
    std::u16string all;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c < 0xD800 || c > 0xDFFF) {
            all += static_cast<char16_t>(c);
        }
    }
    all += u"\U00010000\U0001F600\U0010FFFF";
    EXPECT_EQ(Utf8ToU16(U16ToUtf8(all)), all);
}

} // namespace
} // namespace lxty
