#pragma once
// The fixed lists behind the list fields of the settings record, and the values their
// selected entries stand for. A list field stores the 0-based index of its entry; the value
// is the entry's text read as a whole number ("Each numeric entry is the decimal text of the
// number with no spaces"). The numeric lists never change; WordOrder and DisplayFormat take
// their entries from the text catalogue (texts 43, 44 and 51 to 64), so they are filled only
// after the catalogue has been loaded.

#include "settings/Settings.h"

#include <optional>
#include <string>
#include <vector>

namespace lxty {

enum class SettingsList {
    ShortWordSize,        // "2" .. "20"                               (19 entries)
    LongWordSize,         // "20" .. "100" in steps of 10               (9 entries)
    ThresholdFrequency,   // "2".."9", "10".."90", "100"                (18 entries)
    ExcessFrequency,      // "1".."9", "10".."90", "100".."500"         (23 entries)
    CommonWordsLanguages, // six languages, "All six languages", "[No language selected]"
    WordOrder,            // catalogue texts 43, 44
    DisplayFormat,        // catalogue texts 51 .. 64
    PhraseLength,         // "1" .. "25" (both entries of the pair)
    MinimumFrequency      // "1" .. "30"
};

// Index of "[No language selected]" in the CommonWordsLanguages list.
inline constexpr int kNoLanguageSelectedIndex = 7;

// Number of entries of a list; fixed, needs no catalogue.
int ListSize(SettingsList which);

// The entries of a list, in order. WordOrder and DisplayFormat read the catalogue each call
// (empty texts when it is not loaded).
std::vector<std::u16string> ListEntries(SettingsList which);

// The whole number that entry `index` of a numeric list stands for; std::nullopt when the
// index is outside the list or the list is not numeric (CommonWordsLanguages, WordOrder,
// DisplayFormat).
std::optional<int> ListEntryValue(SettingsList which, int index);

// The filled lists, as the windows show them in their drop-down lists.
struct SettingsLists {
    std::vector<std::u16string> ShortWordSize;
    std::vector<std::u16string> LongWordSize;
    std::vector<std::u16string> ThresholdFrequency;
    std::vector<std::u16string> ExcessFrequency;
    std::vector<std::u16string> CommonWordsLanguages;
    std::vector<std::u16string> WordOrder;
    std::vector<std::u16string> DisplayFormat;
    std::vector<std::u16string> PhraseLength;
    std::vector<std::u16string> MinimumFrequency;
};

// Once at start-up, after the catalogue is loaded and before the saved state is read: clears
// and fills every list and selects the initial entries in the record (ShortWordSize 1,
// LongWordSize 3, ThresholdFrequency 0, ExcessFrequency 10, CommonWordsLanguages 0,
// WordOrder 0, DisplayFormat 0). PhraseLength and MinimumFrequency belong to the
// all-phrases window, which fills and selects them itself; their entries are filled here too
// for convenience, their selections are left alone.
void SetUpLists(SettingsLists& lists, Settings& settings);

// The values of the numeric list fields. An index outside its list (-1: nothing selected)
// reads as the value of the field's default entry, so a record that was never set up still
// yields a sound limit (3, 50, 2, 20, 3/6 words, 2 occurrences) instead of 0.
int ShortWordSizeValue(const Settings& s);
int LongWordSizeValue(const Settings& s);
int ThresholdFrequencyValue(const Settings& s);
int ExcessFrequencyValue(const Settings& s);
// i: 0 minimum, 1 maximum number of words in a phrase (an i outside 0..1 is clamped).
int PhraseLengthValue(const Settings& s, int i);
int MinimumFrequencyValue(const Settings& s);

} // namespace lxty
