// Restore defaults, Initialize and the dependencies between display fields.

#include "settings/SettingsDefaults.h"
#include "FakeHost.h"
#include "FieldWords.h"
#include "Golden.h"
#include "ScrambledSettings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsLists.h"

#include <set>

namespace lxty {
namespace {

// Every field differs from its default, UseLog10 included (only a corrupt record could hold
// it at 0).
Settings Scrambled() {
    Settings s = test::ScrambledSettings();
    s.UseLog10 = 0;
    return s;
}

std::string Show(std::u16string_view name) {
    return U16ToUtf8(name);
}

// Field by field: those named in `reset` must hold the default, all others their scrambled
// value.
void ExpectOnlyTheseReset(const Settings& result, const std::u16string& reset) {
    std::set<std::u16string> names;
    for (const auto& [name, value] : test::FieldWords(reset)) {
        EXPECT_NE(nullptr, FindSettingsField(name)) << Show(name);
        names.insert(name);
    }
    for (const std::u16string& name : FieldNames()) {
        SCOPED_TRACE(Show(name));
        const Settings& expected = names.count(name) ? Settings{} : Scrambled();
        EXPECT_EQ(GetFieldByName(expected, name), GetFieldByName(result, name));
    }
}

// What "Restore defaults" resets: the settings window's check boxes, its extra characters,
// the four size and frequency lists and the phrase option for words to ignore.
const std::u16string kRestoredByDefaults =
    u"CaseSignificant AllowWordsWithHyphens AllowWordsWithApostrophes AllowWordsWithUnderscores "
    u"AllowWordsWithColons AllowWordsWithBackslashes AllowWordsWithForwardslashes "
    u"AllowWordsWithParentheses AllowWordsWithAmpersands AllowWordsWithPeriods "
    u"AllowWordsWithCommas AllowWordsWithAtSigns AllowWordsWithNumerals "
    u"AllowWordsWithUserSpecifiedExtraChars UserSpecifiedExtraChars DropFinalS "
    u"AllowCommentMarkers Only7bitASCII IgnoreShortWords ShortWordSize LongWordSize "
    u"IgnoreInfrequentWords ThresholdFrequency IgnoreExcessivelyFrequentWords ExcessFrequency "
    u"IgnoreNoLetter IgnoreRepetitions PatternMatchingInWordsToIgnoreFile "
    u"PatternMatchingInCountOnlyWordsFile TerminatePhraseAtEndOfLine TerminatePhraseAtPeriod "
    u"TerminatePhraseAtDoubleQuote TerminatePhraseAtTab TerminatePhraseAtComma "
    u"ExtractTextFromDocx OutputWithCommas WarnOnOverwrite SaveStateOnQuit UseLog10 "
    u"WordsToIgnoreInPhrases";

// What Initialize resets besides.
const std::u16string kResetByInitialize =
    u" Source Folder File0 File1 FileFilepathSpecifications0 FileFilepathSpecifications1 "
    u"WordsToIgnoreOrCount0 WordsToIgnoreOrCount1 SuppressWords SuppressFilenames "
    u"DisplayRelativeFrequency SortByNumberOfFiles WordOrder DisplayFormat PhraseLength0 "
    u"PhraseLength1 MinimumFrequency CountArrayTables ZeroCellsBlank FilterWords";

TEST(SettingsDefaultsTest, ScrambledRecordDiffersInEveryField) {
    // Guards the two tests below: a field left at its default would prove nothing.
    const Settings fresh;
    const Settings scrambled = Scrambled();
    for (const std::u16string& name : FieldNames())
        EXPECT_NE(GetFieldByName(fresh, name), GetFieldByName(scrambled, name)) << Show(name);
}

// "Restore defaults" resets the settings window's fields to the documented values, and no other
// field (the selected entries of the four lists read as 3, 50, 2 and 20: SettingsByNameTest).
TEST(SettingsDefaultsTest, SetDefaultValuesResetsTheSettingsWindowOnly) {
    Settings s = Scrambled();
    RunState run;
    run.blnWordsGot = true;
    run.intNumCommentMarkers = 4;
    run.lngNumWordsToIgnore = 77;
    SetDefaultValues(s, run);

    ExpectOnlyTheseReset(s, kRestoredByDefaults);
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_EQ(0, run.intNumCommentMarkers);
    EXPECT_EQ(77, run.lngNumWordsToIgnore); // the loaded lists' counters are not its business
    test::ExpectFields(
        s, u"CaseSignificant=0 AllowWordsWithHyphens=1 AllowWordsWithApostrophes=0 "
           u"AllowWordsWithUnderscores=0 AllowWordsWithColons=0 AllowWordsWithBackslashes=0 "
           u"AllowWordsWithForwardslashes=0 AllowWordsWithParentheses=0 AllowWordsWithAmpersands=0 "
           u"AllowWordsWithPeriods=0 AllowWordsWithCommas=0 AllowWordsWithAtSigns=0 "
           u"AllowWordsWithNumerals=0 AllowWordsWithUserSpecifiedExtraChars=0 "
           u"UserSpecifiedExtraChars= DropFinalS=1 IgnoreShortWords=1 IgnoreNoLetter=1 "
           u"IgnoreRepetitions=1 TerminatePhraseAtEndOfLine=0 TerminatePhraseAtPeriod=1 "
           u"TerminatePhraseAtDoubleQuote=1 TerminatePhraseAtTab=1 TerminatePhraseAtComma=0 "
           u"UseLog10=1 WordsToIgnoreInPhrases=ExcludePhrasesAllWordsToIgnore "
           u"ShortWordSize=1 LongWordSize=3 ThresholdFrequency=0 ExcessFrequency=10");
}

TEST(SettingsDefaultsTest, InitializeRecordResetsMainWindowFieldsThenTheDefaults) {
    Settings s = Scrambled();
    RunState run;
    run.blnWordsGot = true;
    InitializeRecord(s, run);

    ExpectOnlyTheseReset(s, kRestoredByDefaults + kResetByInitialize);
    EXPECT_FALSE(run.blnWordsGot);
    Settings fresh;
    InitializeRecord(fresh, run);
    EXPECT_EQ(Settings{}, fresh);
}

// Initialize runs first, then a question for each list that holds files; Yes clears it. Lines
// of tests/data/cases/reinitialize.txt.
TEST(SettingsDefaultsTest, ReinitializeAsksAboutEachNonEmptyFileListAndClearsOnYes) {
    test::ExpectCases("cases/reinitialize.txt", "", [](const test::Row& in) {
        Settings s;
        const WordFileList filled{{u"/lists/one.txt", u"/lists/two.txt"}, 0};
        for (std::size_t i : {0u, 1u})
            s.WordsFile[i] = in.at(i) == u"files" ? filled : WordFileList{};
        s.Folder = u"/texts";
        RunState run;
        test::FakeHost host;
        for (std::size_t i = 2; i < in.size(); ++i)
            host.answers.push_back(in[i] == u"yes" ? MsgAnswer::Yes : MsgAnswer::No);
        InitializeAfterStartUp(s, run, host, u"Reinitialize");
        std::u16string out = u"folder \"" + s.Folder + u"\"";
        for (std::size_t i : {0u, 1u})
            out += s.WordsFile[i] == filled           ? u", kept"
                   : s.WordsFile[i] == WordFileList{} ? u", none"
                                                      : u", other";
        for (const auto& m : host.messages)
            out += u" / " + m.title + (m.question && m.icon == MsgIcon::Question ? u"? " : u": ") +
                   m.text;
        return out;
    });
}

// Relative frequency can be changed in some formats; sorting by files needs frequency order,
// format 13 and a folder, and is cleared when they no longer hold.
TEST(SettingsDefaultsTest, OptionsThatDependOnOrderFormatAndSource) {
    const std::set<int> relative = {0, 1, 2, 4, 5, 7, 11, 13};
    for (int order = 0; order < 2; ++order) {
        for (int format = 0; format < 14; ++format) {
            for (SourceKind source :
                 {SourceKind::OnClipboard, SourceKind::InFile, SourceKind::Folder}) {
                Settings s;
                s.WordOrder = order;
                s.DisplayFormat = format;
                s.Source = source;
                s.SortByNumberOfFiles = 1;
                s.DisplayRelativeFrequency = 1;
                s.UseLog10 = 0;
                const bool expected = order == 0 && format == 13 && source == SourceKind::Folder;
                SCOPED_TRACE(testing::Message()
                             << order << "/" << format << "/" << static_cast<int>(source));
                EXPECT_EQ(expected, CanChangeSortByNumberOfFiles(s));
                EXPECT_EQ(relative.count(format) == 1, CanChangeDisplayRelativeFrequency(s));
                ApplyFieldDependencies(s);
                EXPECT_EQ(expected ? 1 : 0, s.SortByNumberOfFiles);
                EXPECT_EQ(1, s.UseLog10);
                EXPECT_EQ(1, s.DisplayRelativeFrequency); // only greyed out, never cleared
            }
        }
    }
}

} // namespace
} // namespace lxty
