// Number, size, elapsed-time, count and date texts, with both sides of every unit boundary.

#include "util/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <regex>
#include <string>
#include <vector>

namespace lxty {
namespace {

const NumberLocale kGerman{u'.', u','};
const NumberLocale kFrench{u'\u202F', u','};

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

TEST(Format, FormatNumberGroupsRoundsAndSigns) {
    struct Case {
        double value;
        int decimals;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {0, 0, u"0"},
        {0, 2, u"0.00"},
        {0.5, 2, u"0.50"}, // leading zero shown
        {0.004, 2, u"0.00"},
        {999, 0, u"999"},
        {1000, 0, u"1,000"},
        {999999.999, 2, u"1,000,000.00"},
        {1234567, 0, u"1,234,567"},
        {12.5, 2, u"12.50"},
        {1.125, 2, u"1.13"}, // exact halves round away from zero
        {2.5, 0, u"3"},
        {-2.5, 0, u"-3"},
        {-1234.5, 2, u"-1,234.50"},
        {-0.001, 2, u"0.00"}, // no "-0.00"
        {0.693147, 4, u"0.6931"},
        {100000, 1, u"100,000.0"},
        {3.14159265, 6, u"3.141593"},
        {1e20, 0, u"100,000,000,000,000,000,000"},
        {-1e20, 2, u"-100,000,000,000,000,000,000.00"},
        {5, -1, u"5"},
        {std::nan(""), 2, u"0"},
        {std::numeric_limits<double>::infinity(), 0, u"0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    }
}

TEST(Format, FormatNumberUsesTheCallersSeparators) {
    EXPECT_EQ(FormatNumber(1234567.891, 2, kGerman), u"1.234.567,89");
    EXPECT_EQ(FormatNumber(0.5, 1, kGerman), u"0,5");
    EXPECT_EQ(FormatNumber(-9876543.21, 1, kFrench), u"-9\u202F876\u202F543,2");
    EXPECT_EQ(FormatNumber(12.5, 2, kGerman), u"12,50");
}

TEST(Format, FormatCountIsExactForEverySixtyFourBitValue) {
    EXPECT_EQ(FormatCount(0), u"0");
    EXPECT_EQ(FormatCount(-1000), u"-1,000");
    EXPECT_EQ(FormatCount(100000), u"100,000");
    EXPECT_EQ(FormatCount(std::numeric_limits<std::int64_t>::max()), u"9,223,372,036,854,775,807");
    EXPECT_EQ(FormatCount(std::numeric_limits<std::int64_t>::min()), u"-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatCount(1234567, kGerman), u"1.234.567");
}

TEST(Format, SizeTextAAtEachUnitBoundary) {
    struct Case {
        std::int64_t bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {0, u"0 bytes"},
        {1, u"1 bytes"},
        {1023, u"1,023 bytes"},
        {1024, u"1.00 Kb"},
        {1536, u"1.50 Kb"},
        {1048575, u"1,024.00 Kb"}, // still Kb, rounded to two decimals
        {1048576, u"1.00 Mb"},
        {1073741823, u"1,024.00 Mb"},
        {1073741824, u"1,024.00 Mb"}, // this text has no Gb
        {5368709120, u"5,120.00 Mb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeTextA(c.bytes), c.text) << c.bytes;
    }
    EXPECT_EQ(SizeTextA(1023, kGerman), u"1.023 bytes");
    EXPECT_EQ(SizeTextA(1536, kGerman), u"1,50 Kb");
}

TEST(Format, SizeTextBAtEachUnitBoundary) {
    struct Case {
        double bytes;
        int decimals;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {0, 2, u"0 bytes"},
        {1, 2, u"1 bytes"},
        {1023, 2, u"1,023 bytes"},
        {1024, 2, u"1.00 Kb"},
        {1024, 1, u"1.0 Kb"},
        {1536, 0, u"2 Kb"},
        {1048575, 2, u"1,024.00 Kb"},
        {1048576, 2, u"1.00 Mb"},
        {1048576, 0, u"1 Mb"},
        {1073741823, 2, u"1,024.00 Mb"},
        {1073741824, 2, u"1.00 Gb"},
        {5905580032.0, 1, u"5.5 Gb"},
        {1099511627776.0 * 2, 2, u"2,048.00 Gb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeTextB(c.bytes, c.decimals), c.text) << c.bytes << " " << c.decimals;
    }
    EXPECT_EQ(SizeTextB(1073741824, 2, kGerman), u"1,00 Gb");
}

TEST(Format, ElapsedTimeInBothForms) {
    struct Case {
        std::int64_t seconds;
        std::u16string shortText;
        std::u16string longText;
    };
    const std::vector<Case> cases = {
        {0, u"0s", u"0 seconds"},
        {1, u"1s", u"1 second"},
        {2, u"2s", u"2 seconds"},
        {59, u"59s", u"59 seconds"},
        {60, u"1m", u"1 minute"},
        {61, u"1m 1s", u"1 minute and 1 second"},
        {75, u"1m 15s", u"1 minute and 15 seconds"},
        {120, u"2m", u"2 minutes"},
        {3599, u"59m 59s", u"59 minutes and 59 seconds"},
        {3600, u"1h 0m", u"1 hour"},
        {3601, u"1h 0m 1s", u"1 hour and 1 second"},
        {3661, u"1h 1m 1s", u"1 hour, 1 minute and 1 second"},
        {7322, u"2h 2m 2s", u"2 hours, 2 minutes and 2 seconds"},
        {86399, u"23h 59m 59s", u"23 hours, 59 minutes and 59 seconds"},
        {86400, u"1d 0h 0m", u"1 day"},
        {86401, u"1d 0h 0m 1s", u"1 day and 1 second"},
        {86460, u"1d 0h 1m", u"1 day and 1 minute"},
        {90061, u"1d 1h 1m 1s", u"1 day, 1 hour, 1 minute and 1 second"},
        {93784, u"1d 2h 3m 4s", u"1 day, 2 hours, 3 minutes and 4 seconds"},
        {172861, u"2d 0h 1m 1s", u"2 days, 1 minute and 1 second"},
        {-5, u"0s", u"0 seconds"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ElapsedTime(c.seconds, false), c.shortText) << c.seconds;
        EXPECT_EQ(ElapsedTime(c.seconds, true), c.longText) << c.seconds;
    }
}

TEST(Format, ElapsedTimeRoundedToWholeMinutes) {
    EXPECT_EQ(ElapsedTime(59, true, true), u"59 seconds");
    EXPECT_EQ(ElapsedTime(60, true, true), u"1 minute");
    EXPECT_EQ(ElapsedTime(89, true, true), u"1 minute");
    EXPECT_EQ(ElapsedTime(90, true, true), u"2 minutes");
    EXPECT_EQ(ElapsedTime(89, false, true), u"1m");
    EXPECT_EQ(ElapsedTime(3629, false, true), u"1h 0m");
    EXPECT_EQ(ElapsedTime(3630, true, true), u"1 hour and 1 minute");
    EXPECT_EQ(ElapsedTime(93784, true, true), u"1 day, 2 hours and 3 minutes");
}

TEST(Format, MinutesTextInBothForms) {
    struct Case {
        std::int64_t minutes;
        std::u16string shortText;
        std::u16string longText;
    };
    const std::vector<Case> cases = {
        {0, u"0h 0m", u"0 minutes"},
        {1, u"0h 1m", u"1 minute"},
        {59, u"0h 59m", u"59 minutes"},
        {60, u"1h 0m", u"1 hour"},
        {61, u"1h 1m", u"1 hour and 1 minute"},
        {125, u"2h 5m", u"2 hours and 5 minutes"},
        {1439, u"23h 59m", u"23 hours and 59 minutes"},
        {1440, u"1d 0h 0m", u"1 day"},
        {1441, u"1d 0h 1m", u"1 day and 1 minute"},
        {1500, u"1d 1h 0m", u"1 day and 1 hour"},
        {1563, u"1d 2h 3m", u"1 day, 2 hours and 3 minutes"},
        {3000, u"2d 2h 0m", u"2 days and 2 hours"},
        {-3, u"0h 0m", u"0 minutes"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MinutesText(c.minutes, false), c.shortText) << c.minutes;
        EXPECT_EQ(MinutesText(c.minutes, true), c.longText) << c.minutes;
    }
}

TEST(Format, FileFolderCountTextSingularOnlyForOne) {
    EXPECT_EQ(FileFolderCountText(1, 1), u"1 file in 1 folder");
    EXPECT_EQ(FileFolderCountText(3, 2), u"3 files in 2 folders");
    EXPECT_EQ(FileFolderCountText(0, 0), u"0 files in 0 folders");
    EXPECT_EQ(FileFolderCountText(2, 1), u"2 files in 1 folder");
    EXPECT_EQ(FileFolderCountText(1, 11), u"1 file in 11 folders");
    EXPECT_EQ(FileFolderCountText(1234, 1000), u"1,234 files in 1,000 folders");
    EXPECT_EQ(FileFolderCountText(1234, 1, kGerman), u"1.234 files in 1 folder");
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
    const std::string stamp = Narrow(DateTimeStamp(true, false));
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << stamp;
}

} // namespace
} // namespace lxty
