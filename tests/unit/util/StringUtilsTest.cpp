// String helpers: case and accent folding tables, the seven-bit and capital tests, the 1-based
// set searches, suffix handling, the UTF-8 edge of the engine and Windows-1252 (the 0x80-0x9F
// table, Latin-1 elsewhere, and the way back); number, size, elapsed-time, count and date
// texts, with both sides of every unit boundary.

#include "util/StringUtils.h"
#include "util/Cp1252.h"
#include "util/Format.h"

#include "Golden.h"

#include <cstdint>
#include <ctime>
#include <limits>
#include <regex>

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
            if (f == u"Utf8ToU16")
                return Utf8ToU16(test::Bytes(in.at(1)));
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

TEST(Cp1252, WholeTexts) {
    EXPECT_EQ(Cp1252ToU16("caf\xE9 \x80"
                          "5 \x93quoted\x94"),
              u"café €5 “quoted”");
    EXPECT_EQ(Cp1252ToU16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(U16ToCp1252(u"café €5 “quoted”"), "caf\xE9 \x80"
                                                "5 \x93quoted\x94");
    EXPECT_EQ(U16ToCp1252(u"Łódź \U0001F600"), "?\xF3"
                                               "d? ??");
    EXPECT_EQ(U16ToCp1252(u""), "");
}

using test::ExpectCases;

const NumberLocale kGerman{u'.', u','};
const NumberLocale kFrench{u'\u202F', u','};

// Every boundary of the number, size, time and count texts, from one case file.
TEST(Format, Cases) {
    using test::Number;
    ExpectCases(
        "cases/format.txt", "", [](const std::vector<std::u16string>& in) -> std::u16string {
            const std::u16string& f = in.at(0);
            const auto real = [&](int i) { return std::stod(U16ToUtf8(in.at(i))); };
            if (f == u"FormatNumber")
                return FormatNumber(real(1), static_cast<int>(Number(in.at(2))));
            if (f == u"SizeTextA")
                return SizeTextA(Number(in.at(1)));
            if (f == u"SizeTextB")
                return SizeTextB(real(1), static_cast<int>(Number(in.at(2))));
            if (f == u"ElapsedTime")
                return ElapsedTime(Number(in.at(1)), Number(in.at(2)) != 0, Number(in.at(3)) != 0);
            if (f == u"MinutesText")
                return MinutesText(Number(in.at(1)), Number(in.at(2)) != 0);
            if (f == u"FileFolderCountText")
                return FileFolderCountText(Number(in.at(1)), Number(in.at(2)));
            return u"unknown function";
        });
}

TEST(Format, TheCallersSeparators) {
    EXPECT_EQ(FormatNumber(1234567.891, 2, kGerman), u"1.234.567,89");
    EXPECT_EQ(FormatNumber(0.5, 1, kGerman), u"0,5");
    EXPECT_EQ(FormatNumber(-9876543.21, 1, kFrench), u"-9\u202F876\u202F543,2");
    EXPECT_EQ(FormatNumber(12.5, 2, kGerman), u"12,50");
    EXPECT_EQ(FormatCount(1234567, kGerman), u"1.234.567");
    EXPECT_EQ(SizeTextA(1023, kGerman), u"1.023 bytes");
    EXPECT_EQ(SizeTextA(1536, kGerman), u"1,50 Kb");
    EXPECT_EQ(SizeTextB(1073741824, 2, kGerman), u"1,00 Gb");
    EXPECT_EQ(FileFolderCountText(1234, 1, kGerman), u"1.234 files in 1 folder");
}

TEST(Format, FormatCountIsExactForEverySixtyFourBitValue) {
    EXPECT_EQ(FormatCount(0), u"0");
    EXPECT_EQ(FormatCount(-1000), u"-1,000");
    EXPECT_EQ(FormatCount(100000), u"100,000");
    EXPECT_EQ(FormatCount(std::numeric_limits<std::int64_t>::max()), u"9,223,372,036,854,775,807");
    EXPECT_EQ(FormatCount(std::numeric_limits<std::int64_t>::min()), u"-9,223,372,036,854,775,808");
}

std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int min,
                                                int sec) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = min;
    t.tm_sec = sec;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
}

TEST(Format, DateTimeStampIsYearMonthDayWithPaddedParts) {
    const auto when = LocalTime(2026, 1, 5, 14, 5, 9);
    EXPECT_EQ(DateTimeStamp(false, false, when), u"2026-01-05");
    EXPECT_EQ(DateTimeStamp(false, true, when), u"2026-01-05");
    EXPECT_EQ(DateTimeStamp(true, true, when), u"14:05:09 on 2026-01-05");
    EXPECT_EQ(DateTimeStamp(true, false, when), u"2026-01-05 14:05:09");

    const auto late = LocalTime(2031, 12, 31, 23, 59, 59);
    EXPECT_EQ(DateTimeStamp(true, false, late), u"2031-12-31 23:59:59");
    const auto midnight = LocalTime(2024, 2, 29, 0, 0, 0);
    EXPECT_EQ(DateTimeStamp(true, true, midnight), u"00:00:00 on 2024-02-29");
}

TEST(Format, DateTimeStampDefaultsToNow) {
    const std::string stamp = U16ToUtf8(DateTimeStamp(true, false));
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << stamp;
}

} // namespace
} // namespace lxty
