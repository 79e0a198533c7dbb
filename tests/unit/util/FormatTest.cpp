// Number, size, elapsed-time, count and date texts, with both sides of every unit boundary.

#include "util/Format.h"

#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <limits>
#include <regex>
#include <string>
#include <vector>

namespace lxty {
namespace {

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
