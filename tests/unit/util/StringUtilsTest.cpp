// String helpers: case and accent folding tables, the seven-bit and capital tests, the 1-based
// set searches, suffix handling and the UTF-8 edge of the engine.

#include "util/StringUtils.h"

#include "Golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

// Case mapping and folding, the character tests, the 1-based searches and suffixes, from
// one case file.
TEST(StringUtils, Cases) {
    test::ExpectCases(
        "cases/strings.txt", "", [](const std::vector<std::u16string>& in) -> std::u16string {
            using test::Number;
            using test::YesNo;
            const std::u16string& f = in.at(0);
            const auto text = [](std::int64_t n) { return Utf8ToU16(std::to_string(n)); };
            const auto at = [&](int i) { return Number(in.at(i)); };
            if (f == u"LowerCaseAll")
                return LowerCaseAll(in.at(1));
            if (f == u"UpperCaseAll")
                return UpperCaseAll(in.at(1));
            if (f == u"FoldAccents")
                return FoldAccents(in.at(1));
            if (f == u"IsAllUpperCase")
                return YesNo(IsAllUpperCase(in.at(1)));
            if (f == u"IsSevenBitAscii")
                return YesNo(IsSevenBitAscii(in.at(1)));
            if (f == u"IsAlphanumeric")
                return YesNo(IsAlphanumeric(in.at(1), at(2) != 0));
            if (f == u"FindFirstOf") {
                int index = -1;
                const std::int64_t found = FindFirstOf(in.at(1), at(2), in.at(3), &index);
                EXPECT_EQ(found, FindFirstOf(in.at(1), at(2), in.at(3)));
                return text(found) + u", " + text(index);
            }
            if (f == u"FindFirstNotOf")
                return text(FindFirstNotOf(in.at(1), at(2), in.at(3)));
            if (f == u"NextNonSpace")
                return text(NextNonSpace(in.at(1), at(2)));
            if (f == u"RemoveChars")
                return RemoveChars(in.at(1), in.at(2));
            if (f == u"EndsWith")
                return YesNo(EndsWith(in.at(1), in.at(2), at(3) != 0));
            if (f == u"ReplaceSuffix")
                return ReplaceSuffix(in.at(1), in.at(2), in.at(3), at(4) != 0);
            return u"unknown function";
        });
}

TEST(StringUtils, CaseMappingKeepsTheLengthOfEveryText) {
    // One code unit in, one out: ß has no single capital, İ lower-cases to plain i, and final
    // sigma upper-cases like sigma; surrogate halves are never touched.
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
