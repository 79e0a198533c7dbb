#pragma once
// Text builders for numbers, file sizes, elapsed times, file/folder counts and date stamps.
// The host's digit grouping and decimal sign come in as a NumberLocale, so the engine never
// asks the platform for them and the texts are the same in every test.

#include <chrono>
#include <cstdint>
#include <string>

namespace lxty {

// The host's number conventions (the GUI fills this from the system locale).
struct NumberLocale {
    char16_t groupSeparator = u',';
    char16_t decimalSeparator = u'.';
};

// value with the given number of decimals (0 or more), digits grouped in threes, a leading
// zero before the decimal sign ("0.50"), "-" for negatives (never "-0.00": a value that rounds
// to zero has no sign). Up to 4 decimals, halves round away from zero (1.125 -> "1.13").
// Non-finite values give "0".
std::u16string FormatNumber(double value, int decimals, const NumberLocale& locale = {});
// A whole number in plain digits, without grouping ("-12", "1234567").
std::u16string Digits(std::int64_t value);
// A whole count, exact for every 64-bit value ("1,234,567").
std::u16string FormatCount(std::int64_t value, const NumberLocale& locale = {});

// File-size messages: below 1,024 the count + " bytes" ("1,023 bytes"); below 1,048,576
// Kb with 2 decimals ("1.00 Kb"); otherwise Mb with 2 decimals ("1.00 Mb", also for sizes of
// gigabytes: "2,048.00 Mb").
std::u16string SizeTextA(std::int64_t bytes, const NumberLocale& locale = {});
// File listings: 0 gives "0 bytes"; below 1,024 the count + " bytes"; then Kb, Mb and Gb
// (below 1,024², 1,024³ and above) with the given decimals.
std::u16string SizeTextB(double bytes, int decimals, const NumberLocale& locale = {});

// Elapsed time of a run. Short form: "0s", "59s", "1m", "1m 15s", "1h 0m", "1h 1m 1s",
// "1d 0h 0m" (a leading "0h " is dropped). Long form: "0 seconds", "1 second", "1 minute",
// "1 minute and 1 second", "1 hour, 1 minute and 1 second". With round set, a time of a
// minute or more is shown in whole minutes, 30 seconds and more rounding up ("2 minutes" for
// 90 s). Negative times are shown as 0.
std::u16string ElapsedTime(std::int64_t seconds, bool longForm, bool round = false);
// Minutes as days, hours and minutes. Long form: "0 minutes", "1 minute", "2 hours",
// "1 day, 2 hours and 3 minutes". Short form: "0h 0m", "1h 5m", "1d 0h 3m".
std::u16string MinutesText(std::int64_t minutes, bool longForm);

// "1 file in 1 folder", "3 files in 2 folders" (counts grouped as FormatCount does).
std::u16string FileFolderCountText(std::int64_t files, std::int64_t folders,
                                   const NumberLocale& locale = {});

// The local date as year-month-day with two-digit month and day ("2026-01-05"). With
// includeTime the 24-hour time "hh:mm:ss" is joined to it: long form "14:05:09 on
// 2026-01-05", short form "2026-01-05 14:05:09".
std::u16string
DateTimeStamp(bool includeTime, bool longForm,
              std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

} // namespace lxty
