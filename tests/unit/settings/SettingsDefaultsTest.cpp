// Restore defaults, Initialize and the dependencies between display fields.

#include "settings/SettingsDefaults.h"
#include "FakeHost.h"
#include "ScrambledSettings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsLists.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

// Field by field: those in `reset` must hold the default, all others their scrambled value.
void ExpectOnlyTheseReset(const Settings& result, const std::set<std::u16string>& reset) {
    const Settings fresh;
    const Settings scrambled = Scrambled();
    for (const std::u16string& name : FieldNames()) {
        SCOPED_TRACE(Show(name));
        const Settings& expected = reset.count(name) ? fresh : scrambled;
        EXPECT_EQ(GetFieldByName(expected, name), GetFieldByName(result, name));
    }
    for (const std::u16string& name : reset)
        EXPECT_NE(nullptr, FindSettingsField(name)) << Show(name);
}

// What "Restore defaults" resets: the settings window's check boxes, its extra characters,
// the four size and frequency lists and the phrase option for words to ignore.
const std::set<std::u16string> kRestoredByDefaults = {u"CaseSignificant",
                                                      u"AllowWordsWithHyphens",
                                                      u"AllowWordsWithApostrophes",
                                                      u"AllowWordsWithUnderscores",
                                                      u"AllowWordsWithColons",
                                                      u"AllowWordsWithBackslashes",
                                                      u"AllowWordsWithForwardslashes",
                                                      u"AllowWordsWithParentheses",
                                                      u"AllowWordsWithAmpersands",
                                                      u"AllowWordsWithPeriods",
                                                      u"AllowWordsWithCommas",
                                                      u"AllowWordsWithAtSigns",
                                                      u"AllowWordsWithNumerals",
                                                      u"AllowWordsWithUserSpecifiedExtraChars",
                                                      u"UserSpecifiedExtraChars",
                                                      u"DropFinalS",
                                                      u"AllowCommentMarkers",
                                                      u"Only7bitASCII",
                                                      u"IgnoreShortWords",
                                                      u"ShortWordSize",
                                                      u"LongWordSize",
                                                      u"IgnoreInfrequentWords",
                                                      u"ThresholdFrequency",
                                                      u"IgnoreExcessivelyFrequentWords",
                                                      u"ExcessFrequency",
                                                      u"IgnoreNoLetter",
                                                      u"IgnoreRepetitions",
                                                      u"PatternMatchingInWordsToIgnoreFile",
                                                      u"PatternMatchingInCountOnlyWordsFile",
                                                      u"TerminatePhraseAtEndOfLine",
                                                      u"TerminatePhraseAtPeriod",
                                                      u"TerminatePhraseAtDoubleQuote",
                                                      u"TerminatePhraseAtTab",
                                                      u"TerminatePhraseAtComma",
                                                      u"ExtractTextFromDocx",
                                                      u"OutputWithCommas",
                                                      u"WarnOnOverwrite",
                                                      u"SaveStateOnQuit",
                                                      u"UseLog10",
                                                      u"WordsToIgnoreInPhrases"};

// What Initialize resets besides.
const std::set<std::u16string> kResetByInitialize = {u"Source",
                                                     u"Folder",
                                                     u"File0",
                                                     u"File1",
                                                     u"FileFilepathSpecifications0",
                                                     u"FileFilepathSpecifications1",
                                                     u"WordsToIgnoreOrCount0",
                                                     u"WordsToIgnoreOrCount1",
                                                     u"SuppressWords",
                                                     u"SuppressFilenames",
                                                     u"DisplayRelativeFrequency",
                                                     u"SortByNumberOfFiles",
                                                     u"WordOrder",
                                                     u"DisplayFormat",
                                                     u"PhraseLength0",
                                                     u"PhraseLength1",
                                                     u"MinimumFrequency",
                                                     u"CountArrayTables",
                                                     u"ZeroCellsBlank",
                                                     u"FilterWords"};

TEST(SettingsDefaultsTest, ScrambledRecordDiffersInEveryField) {
    // Guards the two tests below: a field left at its default would prove nothing.
    const Settings fresh;
    const Settings scrambled = Scrambled();
    for (const std::u16string& name : FieldNames())
        EXPECT_NE(GetFieldByName(fresh, name), GetFieldByName(scrambled, name)) << Show(name);
}

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
}

TEST(SettingsDefaultsTest, RestoreDefaultsShowsTheDocumentedSettings) {
    Settings s = Scrambled();
    RunState run;
    SetDefaultValues(s, run);
    EXPECT_EQ(0, s.CaseSignificant);
    EXPECT_EQ(1, s.AllowWordsWithHyphens);
    EXPECT_EQ(0, s.AllowWordsWithApostrophes + s.AllowWordsWithUnderscores +
                     s.AllowWordsWithColons + s.AllowWordsWithBackslashes +
                     s.AllowWordsWithForwardslashes + s.AllowWordsWithParentheses +
                     s.AllowWordsWithAmpersands + s.AllowWordsWithPeriods + s.AllowWordsWithCommas +
                     s.AllowWordsWithAtSigns + s.AllowWordsWithNumerals +
                     s.AllowWordsWithUserSpecifiedExtraChars);
    EXPECT_EQ(u"", s.UserSpecifiedExtraChars);
    EXPECT_EQ(1, s.DropFinalS);
    EXPECT_EQ(1, s.IgnoreShortWords);
    EXPECT_EQ(3, ShortWordSizeValue(s));
    EXPECT_EQ(50, LongWordSizeValue(s));
    EXPECT_EQ(2, ThresholdFrequencyValue(s));
    EXPECT_EQ(20, ExcessFrequencyValue(s));
    EXPECT_EQ(1, s.IgnoreNoLetter);
    EXPECT_EQ(1, s.IgnoreRepetitions);
    EXPECT_EQ(0, s.TerminatePhraseAtEndOfLine);
    EXPECT_EQ(1, s.TerminatePhraseAtPeriod);
    EXPECT_EQ(1, s.TerminatePhraseAtDoubleQuote);
    EXPECT_EQ(1, s.TerminatePhraseAtTab);
    EXPECT_EQ(0, s.TerminatePhraseAtComma);
    EXPECT_EQ(1, s.UseLog10);
    EXPECT_EQ(WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore, s.WordsToIgnoreInPhrases);
    // Unchanged: language, word-list files, extra words.
    const Settings scrambled = Scrambled();
    EXPECT_EQ(scrambled.CommonWordsLanguages, s.CommonWordsLanguages);
    EXPECT_EQ(scrambled.WordsFile, s.WordsFile);
    EXPECT_EQ(scrambled.WordsToIgnoreOrCount, s.WordsToIgnoreOrCount);
}

TEST(SettingsDefaultsTest, InitializeRecordResetsMainWindowFieldsThenTheDefaults) {
    Settings s = Scrambled();
    RunState run;
    run.blnWordsGot = true;
    InitializeRecord(s, run);

    std::set<std::u16string> reset = kRestoredByDefaults;
    reset.insert(kResetByInitialize.begin(), kResetByInitialize.end());
    ExpectOnlyTheseReset(s, reset);
    EXPECT_FALSE(run.blnWordsGot);
}

TEST(SettingsDefaultsTest, InitializeRecordOnAFreshRecordChangesNothing) {
    Settings s;
    RunState run;
    InitializeRecord(s, run);
    EXPECT_EQ(Settings{}, s);
}

TEST(SettingsDefaultsTest, ReinitializeAsksAboutEachNonEmptyFileListAndClearsOnYes) {
    const std::u16string caption = u"Reinitialize";
    const std::u16string askIgnore = u"Do you wish to clear all words-to-ignore files?";
    const std::u16string askCount = u"Do you wish to clear all count-only-words/phrases files?";
    struct Case {
        bool ignoreFiles, countFiles;
        std::vector<MsgAnswer> answers;
        std::vector<std::u16string> expectedQuestions;
        bool ignoreCleared, countCleared;
    };
    const std::vector<Case> cases = {
        {false, false, {}, {}, false, false},
        {true, true, {MsgAnswer::Yes, MsgAnswer::No}, {askIgnore, askCount}, true, false},
        {true, true, {MsgAnswer::No, MsgAnswer::Yes}, {askIgnore, askCount}, false, true},
        {false, true, {MsgAnswer::Yes}, {askCount}, false, true},
        {true, false, {MsgAnswer::No}, {askIgnore}, false, false},
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const Case& k = cases[c];
        SCOPED_TRACE(c);
        Settings s;
        const WordFileList filled{{u"/lists/one.txt", u"/lists/two.txt"}, 0};
        if (k.ignoreFiles)
            s.WordsFile[0] = filled;
        if (k.countFiles)
            s.WordsFile[1] = filled;
        s.Folder = u"/texts";
        RunState run;
        test::FakeHost host;
        host.answers.assign(k.answers.begin(), k.answers.end());
        InitializeAfterStartUp(s, run, host, caption);

        std::vector<std::u16string> asked;
        for (const auto& m : host.messages) {
            EXPECT_TRUE(m.question);
            EXPECT_EQ(caption, m.title);
            EXPECT_EQ(MsgIcon::Question, m.icon);
            asked.push_back(m.text);
        }
        EXPECT_EQ(k.expectedQuestions, asked);
        EXPECT_EQ(u"", s.Folder); // Initialize ran first
        const WordFileList none;
        EXPECT_EQ(k.ignoreFiles && !k.ignoreCleared ? filled : none, s.WordsFile[0]);
        EXPECT_EQ(k.countFiles && !k.countCleared ? filled : none, s.WordsFile[1]);
    }
}

TEST(SettingsDefaultsTest, RelativeFrequencyIsChangeableOnlyForSomeFormats) {
    const std::set<int> changeable = {0, 1, 2, 4, 5, 7, 11, 13};
    for (int format = 0; format < 14; ++format) {
        Settings s;
        s.DisplayFormat = format;
        EXPECT_EQ(changeable.count(format) == 1, CanChangeDisplayRelativeFrequency(s))
            << "format " << format;
    }
    Settings s;
    s.DisplayFormat = 3;
    EXPECT_FALSE(CanChangeDisplayRelativeFrequency(s));
}

TEST(SettingsDefaultsTest, SortByFilesNeedsFrequencyOrderFormat13AndAFolder) {
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
                ApplyFieldDependencies(s);
                EXPECT_EQ(expected ? 1 : 0, s.SortByNumberOfFiles);
                EXPECT_EQ(1, s.UseLog10);
                EXPECT_EQ(1, s.DisplayRelativeFrequency); // only greyed out, never cleared
            }
        }
    }
}

TEST(SettingsDefaultsTest, AlphabeticalOrderClearsSortByFiles) {
    Settings s;
    s.DisplayFormat = 13;
    s.Source = SourceKind::Folder;
    s.SortByNumberOfFiles = 1;
    ApplyFieldDependencies(s);
    EXPECT_EQ(1, s.SortByNumberOfFiles);
    s.WordOrder = 1;
    EXPECT_FALSE(CanChangeSortByNumberOfFiles(s));
    ApplyFieldDependencies(s);
    EXPECT_EQ(0, s.SortByNumberOfFiles);
}

} // namespace
} // namespace lxty
