// The fixed lists of the list fields, their values and SetUpLists.

#include "settings/SettingsLists.h"
#include "Golden.h"
#include "settings/SettingsByName.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace lxty {
namespace {

class SettingsListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
    }
};

// The entries of each numeric list, from tests/data/cases/settings-lists.txt; every entry's
// value is its text read as a whole number, and there is none outside the list.
TEST_F(SettingsListsTest, NumericListsHoldExactlyTheirEntries) {
    test::ExpectCases("cases/settings-lists.txt", "", [](const test::Row& in) {
        const SettingsList list = FindSettingsField(in.at(0))->list;
        const auto entries = ListEntries(list);
        std::u16string out;
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            EXPECT_EQ(std::stoi(U16ToUtf8(entries[i])), ListEntryValue(list, i).value_or(-999));
            out += (i ? u" " : u"") + entries[i];
        }
        EXPECT_EQ(std::nullopt, ListEntryValue(list, -1));
        EXPECT_EQ(std::nullopt, ListEntryValue(list, ListSize(list)));
        return Utf8ToU16(std::to_string(ListSize(list))) + u": " + out;
    });
    // Lists of texts have no numeric values.
    for (SettingsList l :
         {SettingsList::CommonWordsLanguages, SettingsList::WordOrder, SettingsList::DisplayFormat})
        EXPECT_EQ(std::nullopt, ListEntryValue(l, 0));
}

TEST_F(SettingsListsTest, TextListsHoldDistinctNames) {
    EXPECT_EQ(
        (std::vector<std::u16string>{u"English", u"German", u"Spanish", u"Portuguese", u"Italian",
                                     u"French", u"All six languages", u"[No language selected]"}),
        ListEntries(SettingsList::CommonWordsLanguages));
    EXPECT_EQ(7, kNoLanguageSelectedIndex);
    // Each order or format entry must name it: none empty, no two alike.
    for (auto [list, size] :
         {std::pair{SettingsList::WordOrder, 2}, std::pair{SettingsList::DisplayFormat, 14},
          std::pair{SettingsList::CommonWordsLanguages, 8}}) {
        const auto entries = ListEntries(list);
        EXPECT_EQ(size, ListSize(list));
        EXPECT_EQ(size, static_cast<int>(entries.size()));
        std::set<std::u16string> distinct(entries.begin(), entries.end());
        EXPECT_EQ(entries.size(), distinct.size());
        EXPECT_EQ(0u, distinct.count(u""));
    }
}

TEST_F(SettingsListsTest, SetUpListsFillsEveryListAndSelectsTheInitialEntries) {
    Settings s;
    s.ShortWordSize = 7;
    s.LongWordSize = -1;
    s.ThresholdFrequency = 5;
    s.ExcessFrequency = 0;
    s.CommonWordsLanguages = 7;
    s.WordOrder = 1;
    s.DisplayFormat = 13;
    s.PhraseLength = {0, 24};
    s.MinimumFrequency = 29;
    SettingsLists lists;
    lists.ShortWordSize = {u"stale"}; // cleared before filling
    SetUpLists(lists, s);

    const std::pair<SettingsList, const std::vector<std::u16string>*> filled[] = {
        {SettingsList::ShortWordSize, &lists.ShortWordSize},
        {SettingsList::LongWordSize, &lists.LongWordSize},
        {SettingsList::ThresholdFrequency, &lists.ThresholdFrequency},
        {SettingsList::ExcessFrequency, &lists.ExcessFrequency},
        {SettingsList::CommonWordsLanguages, &lists.CommonWordsLanguages},
        {SettingsList::WordOrder, &lists.WordOrder},
        {SettingsList::DisplayFormat, &lists.DisplayFormat},
        {SettingsList::PhraseLength, &lists.PhraseLength},
        {SettingsList::MinimumFrequency, &lists.MinimumFrequency},
    };
    for (const auto& [list, entries] : filled)
        EXPECT_EQ(ListEntries(list), *entries) << static_cast<int>(list);
    // The all-phrases window selects its own lists (0, 24 and 29 stay).
    EXPECT_EQ((std::vector{1, 3, 0, 10, 0, 0, 0, 0, 24, 29}),
              (std::vector{s.ShortWordSize, s.LongWordSize, s.ThresholdFrequency, s.ExcessFrequency,
                           s.CommonWordsLanguages, s.WordOrder, s.DisplayFormat, s.PhraseLength[0],
                           s.PhraseLength[1], s.MinimumFrequency}));
}

TEST_F(SettingsListsTest, ValueAccessorsReadTheSelectedEntryOrTheDefaultOne) {
    // Indices: the defaults, the first and last entries, -1 ("nothing selected") and one past
    // the end, which read as the default entry. Values: short, long, threshold, excess,
    // phrase lengths, minimum frequency.
    const struct {
        int shortSize, longSize, threshold, excess, phrase0, phrase1, minimum;
        std::vector<int> values;
    } cases[] = {
        {1, 3, 0, 10, 2, 5, 1, {3, 50, 2, 20, 3, 6, 2}},
        {0, 8, 8, 22, 0, 24, 29, {2, 100, 10, 500, 1, 25, 30}},
        {-1, -1, -1, -1, -1, -1, -1, {3, 50, 2, 20, 3, 6, 2}},
        {19, 9, 18, 23, 25, 25, 30, {3, 50, 2, 20, 3, 6, 2}},
    };
    for (const auto& c : cases) {
        Settings s;
        s.ShortWordSize = c.shortSize;
        s.LongWordSize = c.longSize;
        s.ThresholdFrequency = c.threshold;
        s.ExcessFrequency = c.excess;
        s.PhraseLength = {c.phrase0, c.phrase1};
        s.MinimumFrequency = c.minimum;
        EXPECT_EQ(c.values, (std::vector{ShortWordSizeValue(s), LongWordSizeValue(s),
                                         ThresholdFrequencyValue(s), ExcessFrequencyValue(s),
                                         PhraseLengthValue(s, 0), PhraseLengthValue(s, 1),
                                         MinimumFrequencyValue(s)}))
            << c.shortSize;
    }
    Settings s; // a phrase-length index outside the pair reads the nearest one
    s.PhraseLength = {4, 9};
    EXPECT_EQ((std::pair{5, 10}), std::pair(PhraseLengthValue(s, -1), PhraseLengthValue(s, 2)));
}

} // namespace
} // namespace lxty
