// The fixed lists of the list fields, their values and SetUpLists.

#include "settings/SettingsLists.h"
#include "util/Catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace lxty {
namespace {

std::vector<std::u16string> Texts(std::initializer_list<int> numbers) {
    std::vector<std::u16string> out;
    for (int n : numbers) {
        std::u16string t;
        for (char c : std::to_string(n))
            t.push_back(static_cast<char16_t>(c));
        out.push_back(t);
    }
    return out;
}

class SettingsListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
    }
};

TEST_F(SettingsListsTest, NumericListsHoldExactlyTheirEntries) {
    struct Case {
        SettingsList list;
        std::vector<std::u16string> expected;
    };
    const std::vector<Case> cases = {
        {SettingsList::ShortWordSize,
         Texts({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})},
        {SettingsList::LongWordSize, Texts({20, 30, 40, 50, 60, 70, 80, 90, 100})},
        {SettingsList::ThresholdFrequency,
         Texts({2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100})},
        {SettingsList::ExcessFrequency, Texts({1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  20, 30,
                                               40, 50, 60, 70, 80, 90, 100, 200, 300, 400, 500})},
        {SettingsList::PhraseLength, Texts({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                            14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25})},
        {SettingsList::MinimumFrequency,
         Texts({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.list));
        EXPECT_EQ(c.expected, ListEntries(c.list));
        EXPECT_EQ(static_cast<int>(c.expected.size()), ListSize(c.list));
        // Every entry's value is its text read as a whole number; none outside the list.
        for (int i = 0; i < static_cast<int>(c.expected.size()); ++i)
            EXPECT_EQ(std::stoi(std::string(c.expected[i].begin(), c.expected[i].end())),
                      ListEntryValue(c.list, i).value_or(-999));
        EXPECT_EQ(std::nullopt, ListEntryValue(c.list, -1));
        EXPECT_EQ(std::nullopt, ListEntryValue(c.list, ListSize(c.list)));
    }
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
