// String helpers: case and accent folding tables, the seven-bit and capital tests, the 1-based
// set searches, suffix handling, the UTF-8 edge of the engine and Windows-1252 (the 0x80-0x9F
// table, Latin-1 elsewhere, and the way back); number, size, elapsed-time, count and date
// texts, with both sides of every unit boundary.

#include "util/StringUtils.h"
#include "util/Cp1252.h"
#include "util/Format.h"

#include "Golden.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iomanip>
#include <regex>
#include <sstream>

namespace lxty {
namespace {

std::u16string StringCase(const test::Row& in) {
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
    if (f == u"Utf8ToU16")
        return Utf8ToU16(test::Bytes(in.at(1)));
    if (f == u"Cp1252ToU16")
        return Cp1252ToU16(test::Bytes(in.at(1)));
    return u"unknown function";
}

// Case mapping and folding, the character tests, the 1-based searches and suffixes, the
// conversions to and from UTF-8 and Windows-1252 (bytes as \xHH above 0x7F), from one case
// file.
TEST(StringUtils, Cases) {
    test::ExpectCases(
        "cases/strings.txt", "", [](const std::vector<std::u16string>& in) -> std::string {
            if (in.at(0) == u"U16ToUtf8" || in.at(0) == u"U16ToCp1252") {
                std::string out;
                for (const unsigned char b :
                     in.at(0) == u"U16ToUtf8" ? U16ToUtf8(in.at(1)) : U16ToCp1252(in.at(1))) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", b);
                    out += b < 0x80 ? std::string(1, static_cast<char>(b)) : hex;
                }
                return out;
            }
            return test::Escape(StringCase(in));
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

TEST(Cp1252, EveryByteFollowsTheWindowsTableAndRoundTrips) {
    const std::u16string high = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
    for (int b = 0; b < 256; ++b) {
        const char16_t c = Cp1252ToChar(static_cast<unsigned char>(b));
        EXPECT_EQ(int(c), b >= 0x80 && b <= 0x9F ? int(high[b - 0x80]) : b) << "byte " << b;
        EXPECT_EQ(CharToCp1252(c), b) << "byte " << b;
    }
    // C1 controls whose byte holds another character, and everything beyond the table.
    for (char16_t c : u"\u0080\u0082\u0091\u009F\u0100\u0141\u0154\u2015\u20AD\uFFFD")
        EXPECT_EQ(CharToCp1252(c), c ? -1 : 0) << int(c);
}

using test::ExpectCases;

// Every boundary of the number, size, time, count and date texts, from one case file; a name
// followed by "de" or "fr" formats with that locale's separators.
TEST(Format, Cases) {
    using test::Number;
    ExpectCases(
        "cases/format.txt", "", [](const std::vector<std::u16string>& in) -> std::u16string {
            const std::u16string f = in.at(0).substr(0, in.at(0).find(u' '));
            const NumberLocale locale = in.at(0).ends_with(u" de")   ? NumberLocale{u'.', u','}
                                        : in.at(0).ends_with(u" fr") ? NumberLocale{u'\u202F', u','}
                                                                     : NumberLocale{};
            const auto real = [&](int i) { return std::stod(U16ToUtf8(in.at(i))); };
            const auto n = [&](int i) { return Number(in.at(i)); };
            if (f == u"FormatNumber")
                return FormatNumber(real(1), static_cast<int>(n(2)), locale);
            if (f == u"FormatCount")
                return FormatCount(n(1), locale);
            if (f == u"SizeTextA")
                return SizeTextA(n(1), locale);
            if (f == u"SizeTextB")
                return SizeTextB(real(1), static_cast<int>(n(2)), locale);
            if (f == u"ElapsedTime")
                return ElapsedTime(n(1), n(2) != 0, n(3) != 0);
            if (f == u"MinutesText")
                return MinutesText(n(1), n(2) != 0);
            if (f == u"FileFolderCountText")
                return FileFolderCountText(n(1), n(2), locale);
            if (f == u"DateTimeStamp") { // local "YYYY-MM-DD hh:mm:ss" | time | long form
                std::tm t{};
                std::istringstream(U16ToUtf8(in.at(1))) >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
                t.tm_isdst = -1;
                return DateTimeStamp(n(2) != 0, n(3) != 0,
                                     std::chrono::system_clock::from_time_t(std::mktime(&t)));
            }
            return u"unknown function";
        });
}

TEST(Format, DateTimeStampDefaultsToNow) {
    const std::string stamp = U16ToUtf8(DateTimeStamp(true, false));
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << stamp;
}

} // namespace
} // namespace lxty
