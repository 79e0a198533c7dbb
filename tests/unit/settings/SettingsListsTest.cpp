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
        // Every entry's value is its text read as a whole number.
        for (int i = 0; i < static_cast<int>(c.expected.size()); ++i)
            EXPECT_EQ(std::stoi(std::string(c.expected[i].begin(), c.expected[i].end())),
                      ListEntryValue(c.list, i).value_or(-999));
    }
}

TEST_F(SettingsListsTest, EntryValuesAtTheEdgesOfEachList) {
    struct Case {
        SettingsList list;
        int index;
        std::optional<int> expected;
    };
    const std::vector<Case> cases = {
        {SettingsList::ShortWordSize, -1, std::nullopt},
        {SettingsList::ShortWordSize, 0, 2},
        {SettingsList::ShortWordSize, 1, 3},
        {SettingsList::ShortWordSize, 18, 20},
        {SettingsList::ShortWordSize, 19, std::nullopt},
        {SettingsList::LongWordSize, 0, 20},
        {SettingsList::LongWordSize, 3, 50},
        {SettingsList::LongWordSize, 8, 100},
        {SettingsList::LongWordSize, 9, std::nullopt},
        {SettingsList::ThresholdFrequency, 0, 2},
        {SettingsList::ThresholdFrequency, 7, 9},
        {SettingsList::ThresholdFrequency, 8, 10},
        {SettingsList::ThresholdFrequency, 17, 100},
        {SettingsList::ThresholdFrequency, 18, std::nullopt},
        {SettingsList::ExcessFrequency, 0, 1},
        {SettingsList::ExcessFrequency, 9, 10},
        {SettingsList::ExcessFrequency, 10, 20},
        {SettingsList::ExcessFrequency, 18, 100},
        {SettingsList::ExcessFrequency, 22, 500},
        {SettingsList::ExcessFrequency, 23, std::nullopt},
        {SettingsList::PhraseLength, 0, 1},
        {SettingsList::PhraseLength, 24, 25},
        {SettingsList::PhraseLength, 25, std::nullopt},
        {SettingsList::MinimumFrequency, 29, 30},
        {SettingsList::MinimumFrequency, 30, std::nullopt},
        // Lists of texts have no numeric values.
        {SettingsList::CommonWordsLanguages, 0, std::nullopt},
        {SettingsList::WordOrder, 0, std::nullopt},
        {SettingsList::DisplayFormat, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.list) << " index " << c.index);
        EXPECT_EQ(c.expected, ListEntryValue(c.list, c.index));
    }
}

TEST_F(SettingsListsTest, TextListsComeFromTheLanguageNamesAndTheCatalogue) {
    EXPECT_EQ(
        (std::vector<std::u16string>{u"English", u"German", u"Spanish", u"Portuguese", u"Italian",
                                     u"French", u"All six languages", u"[No language selected]"}),
        ListEntries(SettingsList::CommonWordsLanguages));
    EXPECT_EQ(u"[No language selected]",
              ListEntries(SettingsList::CommonWordsLanguages)[kNoLanguageSelectedIndex]);

    EXPECT_EQ((std::vector<std::u16string>{GetText(43), GetText(44)}),
              ListEntries(SettingsList::WordOrder));
    std::vector<std::u16string> formats;
    for (int n = 51; n <= 64; ++n)
        formats.push_back(GetText(n));
    EXPECT_EQ(formats, ListEntries(SettingsList::DisplayFormat));

    // Each entry must name its order or format: none empty, no two alike.
    for (SettingsList l : {SettingsList::WordOrder, SettingsList::DisplayFormat}) {
        const auto entries = ListEntries(l);
        EXPECT_EQ(ListSize(l), static_cast<int>(entries.size()));
        std::set<std::u16string> distinct(entries.begin(), entries.end());
        EXPECT_EQ(entries.size(), distinct.size());
        EXPECT_EQ(0u, distinct.count(u""));
    }
    EXPECT_EQ(8, ListSize(SettingsList::CommonWordsLanguages));
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

    EXPECT_EQ(ListEntries(SettingsList::ShortWordSize), lists.ShortWordSize);
    EXPECT_EQ(ListEntries(SettingsList::LongWordSize), lists.LongWordSize);
    EXPECT_EQ(ListEntries(SettingsList::ThresholdFrequency), lists.ThresholdFrequency);
    EXPECT_EQ(ListEntries(SettingsList::ExcessFrequency), lists.ExcessFrequency);
    EXPECT_EQ(ListEntries(SettingsList::CommonWordsLanguages), lists.CommonWordsLanguages);
    EXPECT_EQ(ListEntries(SettingsList::WordOrder), lists.WordOrder);
    EXPECT_EQ(ListEntries(SettingsList::DisplayFormat), lists.DisplayFormat);
    EXPECT_EQ(ListEntries(SettingsList::PhraseLength), lists.PhraseLength);
    EXPECT_EQ(ListEntries(SettingsList::MinimumFrequency), lists.MinimumFrequency);

    EXPECT_EQ(1, s.ShortWordSize);
    EXPECT_EQ(3, s.LongWordSize);
    EXPECT_EQ(0, s.ThresholdFrequency);
    EXPECT_EQ(10, s.ExcessFrequency);
    EXPECT_EQ(0, s.CommonWordsLanguages);
    EXPECT_EQ(0, s.WordOrder);
    EXPECT_EQ(0, s.DisplayFormat);
    // The all-phrases window selects its own lists.
    EXPECT_EQ((std::array<int, 2>{0, 24}), s.PhraseLength);
    EXPECT_EQ(29, s.MinimumFrequency);
}

TEST_F(SettingsListsTest, ValueAccessorsReadTheSelectedEntry) {
    Settings s; // defaults
    EXPECT_EQ(3, ShortWordSizeValue(s));
    EXPECT_EQ(50, LongWordSizeValue(s));
    EXPECT_EQ(2, ThresholdFrequencyValue(s));
    EXPECT_EQ(20, ExcessFrequencyValue(s));
    EXPECT_EQ(3, PhraseLengthValue(s, 0));
    EXPECT_EQ(6, PhraseLengthValue(s, 1));
    EXPECT_EQ(2, MinimumFrequencyValue(s));

    s.ShortWordSize = 0;
    s.LongWordSize = 8;
    s.ThresholdFrequency = 8;
    s.ExcessFrequency = 22;
    s.PhraseLength = {0, 24};
    s.MinimumFrequency = 29;
    EXPECT_EQ(2, ShortWordSizeValue(s));
    EXPECT_EQ(100, LongWordSizeValue(s));
    EXPECT_EQ(10, ThresholdFrequencyValue(s));
    EXPECT_EQ(500, ExcessFrequencyValue(s));
    EXPECT_EQ(1, PhraseLengthValue(s, 0));
    EXPECT_EQ(25, PhraseLengthValue(s, 1));
    EXPECT_EQ(30, MinimumFrequencyValue(s));
}

TEST_F(SettingsListsTest, IndexOutsideItsListReadsAsTheDefaultEntry) {
    // Both sides of each range: -1 ("nothing selected") and one past the end.
    for (int offRange : {-1, 0}) {
        Settings s;
        s.ShortWordSize = offRange ? -1 : 19;
        s.LongWordSize = offRange ? -1 : 9;
        s.ThresholdFrequency = offRange ? -1 : 18;
        s.ExcessFrequency = offRange ? -1 : 23;
        s.PhraseLength = offRange ? std::array<int, 2>{-1, -1} : std::array<int, 2>{25, 25};
        s.MinimumFrequency = offRange ? -1 : 30;
        SCOPED_TRACE(offRange);
        EXPECT_EQ(3, ShortWordSizeValue(s));
        EXPECT_EQ(50, LongWordSizeValue(s));
        EXPECT_EQ(2, ThresholdFrequencyValue(s));
        EXPECT_EQ(20, ExcessFrequencyValue(s));
        EXPECT_EQ(3, PhraseLengthValue(s, 0));
        EXPECT_EQ(6, PhraseLengthValue(s, 1));
        EXPECT_EQ(2, MinimumFrequencyValue(s));
    }
}

TEST_F(SettingsListsTest, PhraseLengthIndexOutsidePairIsClamped) {
    Settings s;
    s.PhraseLength = {4, 9};
    EXPECT_EQ(5, PhraseLengthValue(s, -1));
    EXPECT_EQ(10, PhraseLengthValue(s, 2));
}

} // namespace
} // namespace lxty
