#pragma once
// The settings record: every option that changes what the program counts, ignores, lists or
// writes. Each field is named after the control that edits it, without its three-letter
// prefix. Check boxes are 0 or 1; list fields hold the 0-based index of an entry of a fixed
// list (-1: nothing selected); pair fields hold index 0 and index 1.
// The member initialisers are the defaults that Initialize and SetDefaultValues restore.

#include <array>
#include <string>
#include <vector>

namespace lxty {

enum class SourceKind { OnClipboard = 0, InFile = 1, Folder = 2 };
enum class FilterModeKind {
    IncludeAllWords = 0,
    IncludeAllWordsInSameOrder = 1,
    IncludeAllWordsAsSubphrase = 2
};
enum class WordsToIgnoreInPhrasesKind {
    AllowPhrasesAllWordsToIgnore = 0,
    ExcludePhrasesAllWordsToIgnore = 1,
    RemoveWordsToIgnore = 2,
    ExcludePhrasesWithWordToIgnore = 3
};
enum class CountArrayTablesKind { Alphabetical = 0, ByFrequency = 1, Both = 2 };

// A word-list file list: the paths the person has added (most recent choices) and the index
// of the selected one, which is the file in force (-1: none).
struct WordFileList {
    std::vector<std::u16string> paths;
    int selected = -1;
    bool operator==(const WordFileList&) const = default;
};

struct Settings {
    // What counts as a word
    int CaseSignificant = 0;
    int AllowWordsWithHyphens = 1;
    int AllowWordsWithApostrophes = 0;
    int AllowWordsWithUnderscores = 0;
    int AllowWordsWithColons = 0;
    int AllowWordsWithBackslashes = 0;
    int AllowWordsWithForwardslashes = 0;
    int AllowWordsWithParentheses = 0;
    int AllowWordsWithAmpersands = 0;
    int AllowWordsWithPeriods = 0;
    int AllowWordsWithCommas = 0;
    int AllowWordsWithAtSigns = 0;
    int AllowWordsWithNumerals = 0;
    int AllowWordsWithUserSpecifiedExtraChars = 0;
    std::u16string UserSpecifiedExtraChars;
    int DropFinalS = 1;
    int AllowCommentMarkers = 0;
    int Only7bitASCII = 0;

    // Words to ignore
    int IgnoreShortWords = 1;
    int ShortWordSize = 1; // value 3
    int LongWordSize = 3;  // value 50
    int IgnoreInfrequentWords = 0;
    int ThresholdFrequency = 0; // value 2
    int IgnoreExcessivelyFrequentWords = 0;
    int ExcessFrequency = 10; // value 20
    int IgnoreNoLetter = 1;
    int IgnoreRepetitions = 1;
    int CommonWordsLanguages = 0;                       // English
    std::array<std::u16string, 2> WordsToIgnoreOrCount; // 0 ignore, 1 count-only
    std::array<WordFileList, 2> WordsFile;              // 0 ignore, 1 count-only
    int PatternMatchingInWordsToIgnoreFile = 0;
    int PatternMatchingInCountOnlyWordsFile = 0;

    // Phrase boundaries
    int TerminatePhraseAtEndOfLine = 0;
    int TerminatePhraseAtPeriod = 1;
    int TerminatePhraseAtDoubleQuote = 1;
    int TerminatePhraseAtTab = 1;
    int TerminatePhraseAtComma = 0;

    // Output and miscellaneous
    int ExtractTextFromDocx = 0;
    int OutputWithCommas = 0;
    int WarnOnOverwrite = 0;
    int SaveStateOnQuit = 0;
    int UseLog10 = 1; // always 1

    // Source and display (main window)
    SourceKind Source = SourceKind::Folder;
    std::u16string Folder;
    int IncludeSubfolders = 0;
    std::array<std::u16string, 2> FileFilepathSpecifications; // 0 patterns, 1 exclusions
    std::array<std::u16string, 2> File;                       // 0 input, 1 output
    int SuppressWords = 1;
    int SuppressFilenames = 0;
    int DisableOutputToFile = 0;
    int DisplayRelativeFrequency = 0;
    int SortByNumberOfFiles = 0;
    int WordOrder = 0;     // 0 by frequency, 1 alphabetical
    int DisplayFormat = 0; // 0..13

    // All-phrases window and count-array dialog
    std::array<int, 2> PhraseLength{2, 5}; // indices: 3 and 6 words
    int MinimumFrequency = 1;              // index: 2 occurrences
    std::u16string FilterWords;
    FilterModeKind FilterMode = FilterModeKind::IncludeAllWords;
    WordsToIgnoreInPhrasesKind WordsToIgnoreInPhrases =
        WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore;
    int WriteRelativeFrequency = 0;
    int ZeroCellsBlank = 0;
    CountArrayTablesKind CountArrayTables = CountArrayTablesKind::Alphabetical;

    bool operator==(const Settings&) const = default;
};

// Fixed limit set once at start-up, not by the person.
inline constexpr int intMaxPermittedWordLength = 100;

} // namespace lxty
