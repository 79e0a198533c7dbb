#pragma once
// The numbers of the catalogue texts the program uses (data/lxty.dat), by what they say.

namespace lxty {

enum class TextId : int {
    SourceOfText = 19,              // "Source of the text:"
    CountWordsPhrases = 21,         // the count button's caption
    PartialListMessage = 22,        // counting was stopped, so the list is incomplete
    PartialListTitle = 23,          // "Partial list"
    StopCounting = 25,              // the count button's caption during a run
    DocxDocument = 34,              // "Docx document"
    RestoreNoListEntry = 37,        // a restored list setting has no valid entry
    RestoreError = 38,              // "Error when restoring the saved settings"
    ResetSettingsQuestion = 39,     // reset all settings to their defaults?
    RestoringSettingsTitle = 40,    // "Restoring saved settings"
    LoadCommonEnglishQuestion = 41, // no words-to-ignore file: load the common English words?
    FirstRunTitle = 42,             // "First run of Lexitally"
    ByFrequency = 43,               // word order 0
    Alphabetical = 44,              // word order 1
    SelectFolderTitle = 45,         // the folder chooser's title
    SelectInputFileTitle = 46,      // the input-file chooser's title
    SpecifyOutputFileTitle = 47,    // the output-file chooser's title
    SettingsSaved = 50,             // "Settings saved"
    FirstDisplayFormat = 51,        // display formats 0 to 13 are texts 51 to 64
    StopCountingManyFound = 90,     // the count button's caption once many entries are found
    SettingsWindowTitle = 91,       // "Lexitally settings"
    TextWindowCannotHold = 92,      // only the beginning of the result is shown
    TextWindowFull = 93,            // "Text window full"
    SpecifyOutputFileForAll = 94,   // specify an output file to get the complete list
    EnableOutputFileForAll = 95,    // enable the output file to get the complete list
    CompleteListWritten = 96,       // the complete list is in the output file
    Error = 97,                     // "Error"
    CountArrayCaption = 101,        // the count-array button's caption
    CountArrayOfCountOnly = 102,    // its caption with count-only entries in force
    NoOutputFile = 103,             // "No output file is specified."
    SpecifyCountArrayOutput = 104,  // specify an output file for the count array
    NoClipboardText = 213,          // "There is no text on the clipboard."
    CountArrayIncomplete = 354,     // the count array could not be completed
    CountArrayCheckOutput = 355,    // check the output file and the disk
    SortingRowsByFrequency = 356,   // "Now sorting the rows by frequency . . ."
    NumberLikeEntriesNote = 357,    // an entry looks like a number or a logical value
    SpreadsheetMayConvert = 358,    // import that column as text
    CountArrayWrittenTo = 359,      // "The count array has been written to txbFile"
    OpenInSpreadsheet = 360,        // the columns are separated by tabs
    CountArrayRowsHold = 361,       // what each row holds
    StopDocxQuestion = 362,         // stop extracting the text of this docx document?
    StopDocxTitle = 363,            // "Stop docx extraction"
    ShowNumberOfFiles = 374,        // the all-phrases window's file-count check box
    AllPhrasesTakeLong = 375,       // counting every phrase can take a very long time
    CancelForHigherMinimum = 376,   // cancel to choose a higher minimum?
};

} // namespace lxty
