#include "settings/SettingsDefaults.h"

namespace lxty {

void SetDefaultValues(Settings& s, RunState& run) {
    // The member initialisers of the record are the defaults; copying field by field from a
    // fresh record keeps the two in step and makes plain which fields are touched.
    const Settings d;

    run.blnWordsGot = false; // the next count reads the word lists again

    s.UserSpecifiedExtraChars.clear();

    // Every check box of the settings window.
    s.CaseSignificant = d.CaseSignificant;
    s.AllowWordsWithHyphens = d.AllowWordsWithHyphens;
    s.AllowWordsWithApostrophes = d.AllowWordsWithApostrophes;
    s.AllowWordsWithUnderscores = d.AllowWordsWithUnderscores;
    s.AllowWordsWithColons = d.AllowWordsWithColons;
    s.AllowWordsWithBackslashes = d.AllowWordsWithBackslashes;
    s.AllowWordsWithForwardslashes = d.AllowWordsWithForwardslashes;
    s.AllowWordsWithParentheses = d.AllowWordsWithParentheses;
    s.AllowWordsWithAmpersands = d.AllowWordsWithAmpersands;
    s.AllowWordsWithPeriods = d.AllowWordsWithPeriods;
    s.AllowWordsWithCommas = d.AllowWordsWithCommas;
    s.AllowWordsWithAtSigns = d.AllowWordsWithAtSigns;
    s.AllowWordsWithNumerals = d.AllowWordsWithNumerals;
    s.AllowWordsWithUserSpecifiedExtraChars = d.AllowWordsWithUserSpecifiedExtraChars;
    s.DropFinalS = d.DropFinalS;
    s.AllowCommentMarkers = d.AllowCommentMarkers;
    s.Only7bitASCII = d.Only7bitASCII;
    s.IgnoreShortWords = d.IgnoreShortWords;
    s.IgnoreInfrequentWords = d.IgnoreInfrequentWords;
    s.IgnoreExcessivelyFrequentWords = d.IgnoreExcessivelyFrequentWords;
    s.IgnoreNoLetter = d.IgnoreNoLetter;
    s.IgnoreRepetitions = d.IgnoreRepetitions;
    s.PatternMatchingInWordsToIgnoreFile = d.PatternMatchingInWordsToIgnoreFile;
    s.PatternMatchingInCountOnlyWordsFile = d.PatternMatchingInCountOnlyWordsFile;
    s.TerminatePhraseAtEndOfLine = d.TerminatePhraseAtEndOfLine;
    s.TerminatePhraseAtPeriod = d.TerminatePhraseAtPeriod;
    s.TerminatePhraseAtDoubleQuote = d.TerminatePhraseAtDoubleQuote;
    s.TerminatePhraseAtTab = d.TerminatePhraseAtTab;
    s.TerminatePhraseAtComma = d.TerminatePhraseAtComma;
    s.ExtractTextFromDocx = d.ExtractTextFromDocx;
    s.OutputWithCommas = d.OutputWithCommas;
    s.WarnOnOverwrite = d.WarnOnOverwrite;
    s.SaveStateOnQuit = d.SaveStateOnQuit;
    s.UseLog10 = 1;

    // No comment markers in force until a count run chooses a markup type.
    run.intNumCommentMarkers = 0;

    s.ShortWordSize = d.ShortWordSize;
    s.LongWordSize = d.LongWordSize;
    s.ThresholdFrequency = d.ThresholdFrequency;
    s.ExcessFrequency = d.ExcessFrequency;

    s.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore;
}

void InitializeRecord(Settings& s, RunState& run) {
    s.Source = SourceKind::Folder;
    s.Folder.clear();
    s.File = {};
    s.FileFilepathSpecifications = {};
    s.WordsToIgnoreOrCount = {};
    s.SuppressWords = 1;
    s.SuppressFilenames = 0;
    s.DisplayRelativeFrequency = 0;
    s.SortByNumberOfFiles = 0;
    s.WordOrder = 0;
    s.DisplayFormat = 0;
    s.PhraseLength = {2, 5};
    s.MinimumFrequency = 1;
    s.CountArrayTables = CountArrayTablesKind::Alphabetical;
    s.ZeroCellsBlank = 0;
    s.FilterWords.clear();
    SetDefaultValues(s, run);
}

void InitializeAfterStartUp(Settings& s, RunState& run, Host& host,
                            const std::u16string& reinitializeCaption) {
    InitializeRecord(s, run);
    static const char16_t* const questions[2] = {
        u"Do you wish to clear all words-to-ignore files?",
        u"Do you wish to clear all count-only-words/phrases files?"};
    for (std::size_t i = 0; i < 2; ++i) {
        WordFileList& list = s.WordsFile[i];
        if (list.paths.empty())
            continue;
        const MsgAnswer a = host.Ask(questions[i], reinitializeCaption, MsgIcon::Question,
                                     MsgButtons::YesNo, MsgAnswer::Yes);
        if (a == MsgAnswer::Yes)
            list = WordFileList{};
    }
}

bool CanChangeDisplayRelativeFrequency(const Settings& s) {
    switch (s.DisplayFormat) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 5:
    case 7:
    case 11:
    case 13:
        return true;
    default:
        return false;
    }
}

bool CanChangeSortByNumberOfFiles(const Settings& s) {
    return s.WordOrder == 0 && s.DisplayFormat == 13 && s.Source == SourceKind::Folder;
}

void ApplyFieldDependencies(Settings& s) {
    if (!CanChangeSortByNumberOfFiles(s))
        s.SortByNumberOfFiles = 0;
    s.UseLog10 = 1;
}

} // namespace lxty
