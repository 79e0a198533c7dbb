// Setting and reading every field of the record by its name; the fixed lists of the list
// fields, their values and SetUpLists.

#include "settings/SettingsByName.h"
#include "settings/SettingsLists.h"

#include "FieldWords.h"
#include "Golden.h"
#include "util/Catalogue.h"

#include <set>
#include <sstream>

namespace lxty {
namespace {

using namespace std::string_literals;

std::string Show(std::u16string_view s) {
    return U16ToUtf8(s);
}

std::u16string Decimal(int n) {
    return Utf8ToU16(std::to_string(n));
}

TEST(SettingsByNameTest, EveryFieldHasOneNameAndPairsCarryTheirIndex) {
    const std::vector<std::u16string> names = FieldNames();
    const std::set<std::u16string> distinct(names.begin(), names.end());
    EXPECT_EQ(names.size(), distinct.size());
    for (const std::u16string base : {u"File", u"WordsToIgnoreOrCount", u"WordsFile",
                                      u"FileFilepathSpecifications", u"PhraseLength"}) {
        EXPECT_EQ((std::vector<std::size_t>{0, 1, 1, 0}),
                  (std::vector{distinct.count(base), distinct.count(base + u"0"),
                               distinct.count(base + u"1"), distinct.count(base + u"2")}))
            << Show(base);
    }
}

// For every name: a valid value other than the current one is accepted, read back
// unchanged, and no other field moves.
TEST(SettingsByNameTest, RoundTripForEveryField) {
    for (const SettingsField& f : SettingsFieldTable()) {
        const std::u16string name(f.name);
        SCOPED_TRACE(Show(name));
        Settings s;
        const Settings before = s;
        std::vector<std::u16string> values;
        switch (f.kind) {
        case FieldKind::Check:
            values = {u"0", u"1"};
            break;
        case FieldKind::List:
            values = {u"0", Decimal(ListSize(f.list) - 1)};
            break;
        case FieldKind::Enumeration:
            for (auto o : f.options)
                values.emplace_back(o);
            break;
        case FieldKind::Text:
            values = {u"some text", u"", u" spaces kept \nand lines; *?\"<>", u"\u00e9\u201d"};
            break;
        case FieldKind::FileList:
            values = {u"/lists/ignore me.txt", u"/lists/other.txt", u""};
            break;
        }
        for (const std::u16string& v : values) {
            std::u16string error = u"untouched";
            ASSERT_TRUE(SetFieldByName(s, name, v, &error)) << Show(v) << ": " << Show(error);
            EXPECT_EQ(u"untouched", error);
            const std::u16string expected = name == u"UseLog10" ? u"1" : v;
            EXPECT_EQ(expected, GetFieldByName(s, name)) << Show(v);
        }
        // Every other field still holds its value.
        for (const std::u16string& other : FieldNames()) {
            if (other != name) {
                EXPECT_EQ(GetFieldByName(before, other), GetFieldByName(s, other)) << Show(other);
            }
        }
    }
}

TEST(SettingsByNameTest, ValuesLandInTheRightMembers) {
    Settings s;
    test::SetFields(
        s, u"File1=/out/list.txt WordsToIgnoreOrCount0=the FileFilepathSpecifications1=backup "
           u"PhraseLength0=0 PhraseLength1=24 FilterMode=IncludeAllWordsInSameOrder "
           u"Source=InFile WordsToIgnoreInPhrases=RemoveWordsToIgnore "
           u"CountArrayTables=Both ExcessFrequency=22 AllowWordsWithAmpersands=1");
    Settings expected;
    expected.File[1] = u"/out/list.txt";
    expected.WordsToIgnoreOrCount[0] = u"the";
    expected.FileFilepathSpecifications[1] = u"backup";
    expected.PhraseLength = {0, 24};
    expected.FilterMode = FilterModeKind::IncludeAllWordsInSameOrder;
    expected.Source = SourceKind::InFile;
    expected.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore;
    expected.CountArrayTables = CountArrayTablesKind::Both;
    expected.ExcessFrequency = 22;
    expected.AllowWordsWithAmpersands = 1;
    EXPECT_EQ(expected, s);
    EXPECT_EQ(500, ExcessFrequencyValue(s));
}

TEST(SettingsByNameTest, ListFieldsAcceptExactlyTheirIndices) {
    struct Case {
        const char16_t* name;
        int size;
    };
    const std::vector<Case> cases = {
        {u"ShortWordSize", 19},    {u"LongWordSize", 9},         {u"ThresholdFrequency", 18},
        {u"ExcessFrequency", 23},  {u"CommonWordsLanguages", 8}, {u"WordOrder", 2},
        {u"DisplayFormat", 14},    {u"PhraseLength0", 25},       {u"PhraseLength1", 25},
        {u"MinimumFrequency", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.name));
        const std::u16string last = Decimal(c.size - 1);
        for (const std::u16string& good : {std::u16string(u"0"), last}) {
            Settings s;
            EXPECT_TRUE(SetFieldByName(s, c.name, good, nullptr)) << Show(good);
            EXPECT_EQ(good, GetFieldByName(s, c.name));
        }
        for (const std::u16string& bad :
             {Decimal(c.size), u"-1"s, u""s, u" 1"s, u"1 "s, u"+1"s, u"1.0"s, u"x"s, u"4294967296"s,
              u"99999999999999999999"s}) {
            Settings s;
            const Settings before = s;
            std::u16string error;
            EXPECT_FALSE(SetFieldByName(s, c.name, bad, &error)) << Show(bad);
            EXPECT_EQ(u"Setting \"" + std::u16string(c.name) + u"\" takes a list index from 0 to " +
                          last + u"; \"" + bad + u"\" is not one.",
                      error);
            EXPECT_EQ(before, s);
        }
    }
}

TEST(SettingsByNameTest, RefusalsSayWhichNameOrValue) {
    test::ExpectCases("cases/setting-refusals.txt", "", [](const std::vector<std::u16string>& in) {
        Settings s;
        std::u16string error;
        EXPECT_FALSE(SetFieldByName(s, in.at(0), in.at(1), &error));
        EXPECT_FALSE(SetFieldByName(s, in.at(0), in.at(1), nullptr)); // no message wanted
        EXPECT_EQ(Settings{}, s);
        return error;
    });
    EXPECT_EQ(std::nullopt, GetFieldByName(Settings{}, u"Foo"));
    EXPECT_EQ(std::nullopt, GetFieldByName(Settings{}, u"WordsFile"));
}

TEST(SettingsByNameTest, ShownValuesOfSpecialFields) {
    Settings s;
    EXPECT_TRUE(SetFieldByName(s, u"UseLog10", u"0", nullptr)); // it stays 1
    EXPECT_EQ(1, s.UseLog10);
    s.ShortWordSize = -1;
    s.PhraseLength[1] = -1;
    // Nothing selected shows -1; enumerations show their option names.
    test::ExpectFields(s, u"UseLog10=1 ShortWordSize=-1 PhraseLength1=-1 ExcessFrequency=10 "
                          u"Source=Folder FilterMode=IncludeAllWords "
                          u"WordsToIgnoreInPhrases=ExcludePhrasesAllWordsToIgnore "
                          u"CountArrayTables=Alphabetical");
}

TEST(SettingsByNameTest, WordsFileAddsAndSelectsPaths) {
    Settings s;
    EXPECT_EQ(u"", GetFieldByName(s, u"WordsFile1"));
    ASSERT_TRUE(SetFieldByName(s, u"WordsFile1", u"/lists/a.txt", nullptr));
    ASSERT_TRUE(SetFieldByName(s, u"WordsFile1", u"/lists/b.txt", nullptr));
    EXPECT_EQ((WordFileList{{u"/lists/a.txt", u"/lists/b.txt"}, 1}), s.WordsFile[1]);
    // A path already in the list is selected, not added twice.
    ASSERT_TRUE(SetFieldByName(s, u"WordsFile1", u"/lists/a.txt", nullptr));
    EXPECT_EQ((WordFileList{{u"/lists/a.txt", u"/lists/b.txt"}, 0}), s.WordsFile[1]);
    EXPECT_EQ(u"/lists/a.txt", GetFieldByName(s, u"WordsFile1"));
    // An empty value deselects and keeps the list.
    ASSERT_TRUE(SetFieldByName(s, u"WordsFile1", u"", nullptr));
    EXPECT_EQ((WordFileList{{u"/lists/a.txt", u"/lists/b.txt"}, -1}), s.WordsFile[1]);
    EXPECT_EQ(u"", GetFieldByName(s, u"WordsFile1"));
    // The other list is untouched throughout.
    EXPECT_EQ(WordFileList{}, s.WordsFile[0]);
    // A selection pointing outside the list shows as none.
    s.WordsFile[0] = {{u"/x"}, 3};
    EXPECT_EQ(u"", GetFieldByName(s, u"WordsFile0"));
}

class SettingsListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
};

// The entries of each numeric list, from tests/data/cases/settings-lists.txt; every entry's
// value is its text read as a whole number, and there is none outside the list. Then the
// values the accessors read for selected entries.
TEST_F(SettingsListsTest, NumericListsHoldExactlyTheirEntries) {
    test::ExpectCases("cases/settings-lists.txt", "", [](const test::Row& in) {
        if (in.at(0) == u"Values") { // the values read through the accessors
            Settings s;
            std::istringstream(U16ToUtf8(in.at(1))) >> s.ShortWordSize >> s.LongWordSize >>
                s.ThresholdFrequency >> s.ExcessFrequency >> s.PhraseLength[0] >>
                s.PhraseLength[1] >> s.MinimumFrequency;
            std::string out;
            for (const int v :
                 {ShortWordSizeValue(s), LongWordSizeValue(s), ThresholdFrequencyValue(s),
                  ExcessFrequencyValue(s), PhraseLengthValue(s, 0), PhraseLengthValue(s, 1),
                  MinimumFrequencyValue(s)})
                out += (out.empty() ? "" : " ") + std::to_string(v);
            return Utf8ToU16(out);
        }
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

TEST_F(SettingsListsTest, PhraseLengthIndexOutsideThePairReadsTheNearestOne) {
    Settings s; // a phrase-length index outside the pair reads the nearest one
    s.PhraseLength = {4, 9};
    EXPECT_EQ((std::pair{5, 10}), std::pair(PhraseLengthValue(s, -1), PhraseLengthValue(s, 2)));
}

} // namespace
} // namespace lxty
