// Number, size and time texts. Digits are produced by our own code rather than the C locale,
// so that the caller's separators are the only ones that ever appear.

#include "util/Format.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace lxty {

namespace {

std::u16string Ascii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

// Inserts the group separator into a run of decimal digits.
std::u16string GroupDigits(std::string_view digits, char16_t separator) {
    std::u16string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += separator;
        }
        out += static_cast<char16_t>(digits[i]);
    }
    return out;
}

std::u16string Plural(std::int64_t n, std::u16string_view singular, std::u16string_view plural) {
    std::u16string out = Ascii(std::to_string(n));
    out += u' ';
    out += n == 1 ? singular : plural;
    return out;
}

// Replaces the first " and" by "," (the space after it stays: "a, b and c").
void FirstAndToComma(std::u16string& text) {
    const std::size_t k = text.find(u" and");
    if (k != std::u16string::npos) {
        text.replace(k, 4, u",");
    }
}

int CountAnds(const std::u16string& text) {
    int n = 0;
    for (std::size_t k = text.find(u" and"); k != std::u16string::npos;
         k = text.find(u" and", k + 4)) {
        ++n;
    }
    return n;
}

} // namespace

std::u16string FormatNumber(double value, int decimals, const NumberLocale& locale) {
    if (!std::isfinite(value)) {
        return u"0";
    }
    if (decimals < 0) {
        decimals = 0;
    }
    std::string digits; // all digits, the last `decimals` of them after the decimal sign
    bool negative = false;
    // For up to 4 decimals the product of a double and 10^decimals is exact in long double, so
    // roundl rounds the stored value itself, halves away from zero (1.125 -> 1.13).
    const long double scaled = static_cast<long double>(value) * std::pow(10.0L, decimals);
    if (decimals <= 4 && std::fabs(scaled) < 9.0e18L) {
        const long long units = std::llround(scaled);
        negative = units < 0;
        const unsigned long long magnitude = negative
                                                 ? 0ULL - static_cast<unsigned long long>(units)
                                                 : static_cast<unsigned long long>(units);
        digits = std::to_string(magnitude);
    } else {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals > 30 ? 30 : decimals,
                      std::fabs(value));
        for (const char* p = buffer; *p != '\0'; ++p) {
            if (*p >= '0' && *p <= '9') {
                digits += *p;
            }
        }
        negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;
        decimals = decimals > 30 ? 30 : decimals;
    }
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    std::u16string out;
    if (negative) {
        out += u'-';
    }
    out += GroupDigits(std::string_view(digits).substr(0, whole), locale.groupSeparator);
    if (decimals > 0) {
        out += locale.decimalSeparator;
        out += Ascii(std::string_view(digits).substr(whole));
    }
    return out;
}

std::u16string Digits(std::int64_t value) {
    return Ascii(std::to_string(value));
}

std::u16string FormatCount(std::int64_t value, const NumberLocale& locale) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0ULL - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::u16string out = negative ? u"-" : u"";
    out += GroupDigits(std::to_string(magnitude), locale.groupSeparator);
    return out;
}

std::u16string SizeTextA(std::int64_t bytes, const NumberLocale& locale) {
    if (bytes < 1024) {
        return FormatCount(bytes, locale) + u" bytes";
    }
    if (bytes < 1048576) {
        return FormatNumber(static_cast<double>(bytes) / 1024.0, 2, locale) + u" Kb";
    }
    return FormatNumber(static_cast<double>(bytes) / 1048576.0, 2, locale) + u" Mb";
}

std::u16string SizeTextB(double bytes, int decimals, const NumberLocale& locale) {
    constexpr double kKb = 1024.0;
    constexpr double kMb = kKb * kKb;
    constexpr double kGb = kMb * kKb;
    if (bytes == 0) {
        return u"0 bytes";
    }
    if (bytes < kKb) {
        return FormatNumber(bytes, 0, locale) + u" bytes";
    }
    if (bytes < kMb) {
        return FormatNumber(bytes / kKb, decimals, locale) + u" Kb";
    }
    if (bytes < kGb) {
        return FormatNumber(bytes / kMb, decimals, locale) + u" Mb";
    }
    return FormatNumber(bytes / kGb, decimals, locale) + u" Gb";
}

std::u16string MinutesText(std::int64_t minutes, bool longForm) {
    if (minutes < 0) {
        minutes = 0;
    }
    const std::int64_t days = minutes / 1440;
    const std::int64_t hours = (minutes % 1440) / 60;
    const std::int64_t rest = minutes % 60;
    std::u16string out;
    if (!longForm) {
        if (days >= 1) {
            out += Ascii(std::to_string(days)) + u"d ";
        }
        out += Ascii(std::to_string(hours)) + u"h ";
        out += Ascii(std::to_string(rest)) + u"m";
        return out;
    }
    auto add = [&out](std::int64_t n, std::u16string_view one, std::u16string_view many) {
        if (n == 0) {
            return;
        }
        if (!out.empty()) {
            out += u" and ";
        }
        out += Plural(n, one, many);
    };
    add(days, u"day", u"days");
    add(hours, u"hour", u"hours");
    add(rest, u"minute", u"minutes");
    if (out.empty()) {
        return u"0 minutes";
    }
    if (CountAnds(out) > 1) {
        FirstAndToComma(out);
    }
    return out;
}

std::u16string ElapsedTime(std::int64_t seconds, bool longForm, bool round) {
    if (seconds < 0) {
        seconds = 0;
    }
    // Rounding shows whole minutes only; below a minute the seconds are still shown.
    const bool wholeMinutes = round && seconds >= 60;
    const std::int64_t secs = wholeMinutes ? 0 : seconds % 60;
    const std::int64_t minutes = wholeMinutes ? (seconds + 30) / 60 : seconds / 60;
    std::u16string secondsPart;
    if (longForm) {
        secondsPart = secs == 1 ? u"1 second" : Ascii(std::to_string(secs)) + u" seconds";
    } else {
        secondsPart = Ascii(std::to_string(secs)) + u"s";
    }
    if (seconds < 60) {
        return secondsPart;
    }
    std::u16string out = MinutesText(minutes, longForm);
    if (secs != 0) {
        out += longForm ? u" and " : u" ";
        out += secondsPart;
    }
    while (CountAnds(out) >= 2) {
        FirstAndToComma(out);
    }
    if (!longForm && out.starts_with(u"0h ")) {
        out.erase(0, 3);
    }
    return out;
}

std::u16string FileFolderCountText(std::int64_t files, std::int64_t folders,
                                   const NumberLocale& locale) {
    std::u16string out = FormatCount(files, locale) + (files == 1 ? u" file" : u" files");
    out += u" in ";
    out += FormatCount(folders, locale) + (folders == 1 ? u" folder" : u" folders");
    return out;
}

std::u16string DateTimeStamp(bool includeTime, bool longForm,
                             std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    // The engine runs on one thread, so the shared buffer of localtime is safe here.
    const std::tm* local = std::localtime(&t);
    if (local == nullptr) {
        return u"";
    }
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", local->tm_year + 1900, local->tm_mon + 1,
                  local->tm_mday);
    if (!includeTime) {
        return Ascii(date);
    }
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local->tm_hour, local->tm_min,
                  local->tm_sec);
    return longForm ? Ascii(time) + u" on " + Ascii(date) : Ascii(date) + u" " + Ascii(time);
}

} // namespace lxty
