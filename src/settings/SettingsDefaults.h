#pragma once
// Resetting the settings record ("Restore defaults", "Reinitialize", start-up) and the rules
// that tie display fields to each other.

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"

#include <string>

namespace lxty {

// "Restore defaults": the word lists must be read again before the next count
// (run.blnWordsGot = false); UserSpecifiedExtraChars is cleared; every check box of the
// settings window returns to its default (UseLog10 included, which is always 1); no comment
// markers are in force (run.intNumCommentMarkers = 0); ShortWordSize, LongWordSize,
// ThresholdFrequency and ExcessFrequency return to indices 1, 3, 0, 10;
// WordsToIgnoreInPhrases returns to ExcludePhrasesAllWordsToIgnore.
// Left alone: CommonWordsLanguages, both WordsFile lists, both WordsToIgnoreOrCount texts,
// the main-window fields (source, folder, files, patterns, display) and the all-phrases and
// count-array fields (PhraseLength, MinimumFrequency, FilterWords, FilterMode,
// WriteRelativeFrequency, ZeroCellsBlank, CountArrayTables).
// The settings window raises its own blnRestoring around this call so that its change
// handlers ignore the values being set.
void SetDefaultValues(Settings& s, RunState& run);

// The record part of Initialize: Source = Folder; Folder, both File entries, both
// FileFilepathSpecifications and both WordsToIgnoreOrCount entries empty; SuppressWords 1,
// SuppressFilenames 0, DisplayRelativeFrequency 0, SortByNumberOfFiles 0, WordOrder 0,
// DisplayFormat 0, PhraseLength 2 and 5, MinimumFrequency 1, CountArrayTables Alphabetical,
// ZeroCellsBlank 0, FilterWords empty; then SetDefaultValues.
// Still left alone: CommonWordsLanguages, the WordsFile lists, IncludeSubfolders,
// DisableOutputToFile, FilterMode and WriteRelativeFrequency (Initialize never resets them).
void InitializeRecord(Settings& s, RunState& run);

// "Reinitialize" after start-up: InitializeRecord, then for each word-file list holding at
// least one file (words to ignore first) asks "Do you wish to clear all words-to-ignore
// files?" / "Do you wish to clear all count-only-words/phrases files?" (Yes/No, question
// icon, Yes the default), titled reinitializeCaption; Yes empties that list and deselects.
// Showing the settings window is the window's business.
void InitializeAfterStartUp(Settings& s, RunState& run, Host& host,
                            const std::u16string& reinitializeCaption);

// The rule for the two report options, in one place: the main window greys its boxes by it and
// the word-list report's option states (UpdateReportOptionStates) come from it.
// DisplayRelativeFrequency is editable only for DisplayFormat 0, 1, 2, 4, 5, 7, 11 or 13.
bool CanChangeDisplayRelativeFrequency(const Settings& s);
// SortByNumberOfFiles is editable only with WordOrder 0, DisplayFormat 13 and Source Folder.
bool CanChangeSortByNumberOfFiles(const Settings& s);
// Enforces the dependencies after any display change or load: SortByNumberOfFiles = 0 when
// it is not changeable; UseLog10 = 1. DisplayRelativeFrequency keeps its value when its box
// is disabled (the box is only greyed out).
void ApplyFieldDependencies(Settings& s);

} // namespace lxty
