#include "settings/SettingsLists.h"

#include "util/Catalogue.h"
#include "util/Format.h"

#include <algorithm>

namespace lxty {

namespace {

// The numbers behind the numeric lists. Kept as numbers so that the entry texts and the
// values can never disagree.
std::vector<int> Numbers(SettingsList which) {
    std::vector<int> v;
    switch (which) {
    case SettingsList::ShortWordSize:
        for (int n = 2; n <= 20; ++n)
            v.push_back(n);
        break;
    case SettingsList::LongWordSize:
        for (int n = 20; n <= 100; n += 10)
            v.push_back(n);
        break;
    case SettingsList::ThresholdFrequency:
        for (int n = 2; n <= 9; ++n)
            v.push_back(n);
        for (int n = 10; n <= 100; n += 10)
            v.push_back(n);
        break;
    case SettingsList::ExcessFrequency:
        for (int n = 1; n <= 9; ++n)
            v.push_back(n);
        for (int n = 10; n <= 90; n += 10)
            v.push_back(n);
        for (int n = 100; n <= 500; n += 100)
            v.push_back(n);
        break;
    case SettingsList::PhraseLength:
        for (int n = 1; n <= 25; ++n)
            v.push_back(n);
        break;
    case SettingsList::MinimumFrequency:
        for (int n = 1; n <= 30; ++n)
            v.push_back(n);
        break;
    case SettingsList::CommonWordsLanguages:
    case SettingsList::WordOrder:
    case SettingsList::DisplayFormat:
        break;
    }
    return v;
}

const std::vector<int>& CachedNumbers(SettingsList which) {
    static const std::vector<int> lists[] = {
        Numbers(SettingsList::ShortWordSize),        Numbers(SettingsList::LongWordSize),
        Numbers(SettingsList::ThresholdFrequency),   Numbers(SettingsList::ExcessFrequency),
        Numbers(SettingsList::CommonWordsLanguages), Numbers(SettingsList::WordOrder),
        Numbers(SettingsList::DisplayFormat),        Numbers(SettingsList::PhraseLength),
        Numbers(SettingsList::MinimumFrequency)};
    return lists[static_cast<int>(which)];
}

// The value of entry `index`, or of the default entry when the index is outside the list.
int ValueOrDefault(SettingsList which, int index, int defaultIndex) {
    if (auto v = ListEntryValue(which, index))
        return *v;
    return *ListEntryValue(which, defaultIndex);
}

} // namespace

int ListSize(SettingsList which) {
    switch (which) {
    case SettingsList::CommonWordsLanguages:
        return 8;
    case SettingsList::WordOrder:
        return 2;
    case SettingsList::DisplayFormat:
        return 14;
    default:
        return static_cast<int>(CachedNumbers(which).size());
    }
}

std::vector<std::u16string> ListEntries(SettingsList which) {
    std::vector<std::u16string> out;
    switch (which) {
    case SettingsList::CommonWordsLanguages:
        return {u"English", u"German", u"Spanish",           u"Portuguese",
                u"Italian", u"French", u"All six languages", u"[No language selected]"};
    case SettingsList::WordOrder:
        out.push_back(GetText(TextId::ByFrequency));
        out.push_back(GetText(TextId::Alphabetical));
        return out;
    case SettingsList::DisplayFormat:
        for (int n = 0; n < 14; ++n)
            out.push_back(DisplayFormatText(n));
        return out;
    default:
        for (int n : CachedNumbers(which))
            out.push_back(Digits(n));
        return out;
    }
}

std::optional<int> ListEntryValue(SettingsList which, int index) {
    const std::vector<int>& numbers = CachedNumbers(which);
    if (index < 0 || index >= static_cast<int>(numbers.size()))
        return std::nullopt;
    return numbers[static_cast<std::size_t>(index)];
}

void SetUpLists(SettingsLists& lists, Settings& s) {
    // Same order as the window fills its drop-down lists at start-up.
    lists.ShortWordSize = ListEntries(SettingsList::ShortWordSize);
    s.ShortWordSize = 1;
    lists.LongWordSize = ListEntries(SettingsList::LongWordSize);
    s.LongWordSize = 3;
    lists.ThresholdFrequency = ListEntries(SettingsList::ThresholdFrequency);
    s.ThresholdFrequency = 0;
    lists.ExcessFrequency = ListEntries(SettingsList::ExcessFrequency);
    s.ExcessFrequency = 10;
    lists.CommonWordsLanguages = ListEntries(SettingsList::CommonWordsLanguages);
    s.CommonWordsLanguages = 0;
    lists.WordOrder = ListEntries(SettingsList::WordOrder);
    s.WordOrder = 0;
    lists.DisplayFormat = ListEntries(SettingsList::DisplayFormat);
    s.DisplayFormat = 0;
    lists.PhraseLength = ListEntries(SettingsList::PhraseLength);
    lists.MinimumFrequency = ListEntries(SettingsList::MinimumFrequency);
}

int ShortWordSizeValue(const Settings& s) {
    return ValueOrDefault(SettingsList::ShortWordSize, s.ShortWordSize, 1);
}

int LongWordSizeValue(const Settings& s) {
    return ValueOrDefault(SettingsList::LongWordSize, s.LongWordSize, 3);
}

int ThresholdFrequencyValue(const Settings& s) {
    return ValueOrDefault(SettingsList::ThresholdFrequency, s.ThresholdFrequency, 0);
}

int ExcessFrequencyValue(const Settings& s) {
    return ValueOrDefault(SettingsList::ExcessFrequency, s.ExcessFrequency, 10);
}

int PhraseLengthValue(const Settings& s, int i) {
    const int which = std::clamp(i, 0, 1);
    const int defaultIndex = which == 0 ? 2 : 5;
    return ValueOrDefault(SettingsList::PhraseLength,
                          s.PhraseLength[static_cast<std::size_t>(which)], defaultIndex);
}

int MinimumFrequencyValue(const Settings& s) {
    return ValueOrDefault(SettingsList::MinimumFrequency, s.MinimumFrequency, 1);
}

} // namespace lxty
