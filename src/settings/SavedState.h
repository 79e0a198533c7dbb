#pragma once
// The saved state file: the whole settings record written to, and read back from, a plain
// text file with one value per line in one fixed order, no header and no version number.
//
// Line format: Windows-1252, CR LF after every line; a text between double quotation marks
// with nothing escaped; integers in decimal ("-1"); check boxes 0/1; option buttons -1/0; list
// fields the 0-based index, -1 for nothing selected. With two empty word-file lists the file
// has 79 lines; each listed path adds one.
//
// Two behaviours go beyond the plain format, so that saving never loses anything:
//  - A file is written to a temporary file in the same folder and renamed into place; a
//    failure while saving leaves the previous file byte for byte as it was.
//  - When some text holds a character that Windows-1252 lacks, the file is written in UTF-8
//    behind a byte-order mark instead (reading accepts both); a line break inside a text is
//    written as a space, since it would split the value over two lines.
// Reading takes a quoted text up to the last quotation mark of its line, so a text holding a
// quotation mark survives a save and reload.
//
// Every message and question goes through the Host. What the windows do with values as they
// are read (normalising the extra words, the file patterns, the single-file details, the
// folder, reading word-list files, tool tips) is supplied by the caller as RestoreActions.

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace lxty {

// Number of lines of a saved state whose two word-file lists are empty.
inline constexpr int kSavedStateLinesWithEmptyLists = 79;
// The filter the settings window's file dialogs offer.
inline constexpr std::u16string_view kSettingsFileFilter = u"LXTY settings files (*.lxty) | *.lxty";

// The default state file: configFolder / "Tarnwell Systems" / "lxty.usr". An empty
// configFolder (no configuration folder known) stands for the root of the file system ("C:\"
// on Windows). Creates the "Tarnwell Systems" folder when it is missing; a failure to create
// it is left for SaveState to report.
std::filesystem::path DefaultStateFilePath(const std::filesystem::path& configFolder);

// The bytes of the saved state of s, exactly as SaveState writes them.
std::string FormatSavedState(const Settings& s);

// Writes the bytes of a new file. The program uses the plain file writer; tests substitute one
// that fails part way through.
class StateFileWriter {
public:
    virtual ~StateFileWriter() = default;
    // Creates `path` (it does not exist yet) and writes `bytes` to it. Returns an empty text on
    // success, otherwise the error's description ("Permission denied", "Disk full", ...).
    virtual std::u16string Write(const std::filesystem::path& path, std::string_view bytes) = 0;
};
// A name beside target that nothing else uses ("<name>.~<random>.tmp"), for a file written
// whole and then renamed over the target.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// The plain writer (std::ofstream).
StateFileWriter& PlainStateFileWriter();

// Writes the record to `path`, or to `defaultPath` when `path` is empty. Returns an empty text
// on success, otherwise "Error when attempting to save state: " and the error's description
// ("Path not found", "Permission denied", "Disk full", or the system's own text). The new
// content goes to a temporary file beside the target and is renamed over it, so on failure the
// old file (if any) is unchanged and no temporary file is left behind. A target that is
// write-protected is refused ("Permission denied") as it would be if written in place; a target
// reached through a symbolic link is replaced behind the link; the old file's permissions carry
// over to the new one.
std::u16string SaveState(const Settings& s, const std::filesystem::path& path,
                         const std::filesystem::path& defaultPath,
                         StateFileWriter& writer = PlainStateFileWriter());

// What the windows do while a saved state is applied. The defaults do nothing, except
// Initialize (the record part of Initialize, and after start-up the "Reinitialize" questions).
class RestoreActions {
public:
    virtual ~RestoreActions() = default;
    // The extra-words box `index` (0 ignore, 1 count-only) loses the focus: normalise
    // s.WordsToIgnoreOrCount[index] and parse it.
    virtual void ApplyExtraWords(Settings& s, int index);
    // The pattern box `index` (0 patterns to scan, 1 exclusions) loses the focus.
    virtual void ApplyFilePatterns(Settings& s, int index);
    // s.File[0] is not empty: show that file's details as when a single file is chosen.
    virtual void ShowSingleFileDetails(Settings& s);
    // The folder box loses the focus.
    virtual void ApplyFolder(Settings& s);
    // The person agreed to load the selected file of list `index`: read it (AttemptToReadWords).
    // Returns whether it was read.
    virtual bool AttemptToReadWords(Settings& s, int index) = 0;
    // Update the settings window's tool tips.
    virtual void SetToolTipText(const Settings& s);
    // The main window's Initialize.
    virtual void Initialize(Settings& s, RunState& run, Host& host);
};

// Result codes of RestoreSavedState.
inline constexpr std::int16_t kRestoreNoFile = -1;         // no such file; nothing changed
inline constexpr std::int16_t kRestoreOk = 0;              // success
inline constexpr std::int16_t kRestoreNoListEntry = 1;     // a list field has nothing selected
inline constexpr std::int16_t kRestoreWordsFileFailed = 2; // an agreed word-list file failed
inline constexpr std::int16_t kRestoreReadError = 3;       // errorText holds the error

struct RestoreOutcome {
    std::int16_t code = kRestoreOk;
    // For code 3: "Invalid data" for a value its field cannot hold (a list index outside its
    // list, a check other than 0 or 1, a line that is not a number), else the error's
    // description. The main window keeps it as the error text of the last read.
    std::u16string errorText;
    // The main window's kept copies of the folder and input-file texts, when those lines were
    // read.
    std::optional<std::u16string> folderAsRead;
    std::optional<std::u16string> fileAsRead;
    // The output file is empty: DisableOutputToFile was cleared and its check box must be
    // disabled.
    bool disableOutputToFileBox = false;
};

// Reads the record from `path`, or from `defaultPath` when `path` is empty, applying each value
// to its field as it is read.
//  - No file there: code -1, nothing changed, no message.
//  - The file ends early ("Input past end of file", as a file from an earlier, shorter layout
//    does): the values read stay in force; when the five phrase-boundary values were read,
//    ZeroCellsBlank becomes 0 and CountArrayTables Alphabetical; the question "Input past end
//    of file.  Set default values?" (Yes/No, No the default, title "Error restoring saved
//    state"; Yes: SetDefaultValues) and the information "Saving the settings should fix the
//    'Input past end of file' error." (title "Input past end of file") follow; code 0 and the
//    read ends there.
//  - A value its field cannot hold: the read stops at that line, code 3, "Invalid data".
//  - After a complete read: an empty output file clears DisableOutputToFile
//    (disableOutputToFileBox); a list field among ShortWordSize, LongWordSize,
//    ThresholdFrequency, ExcessFrequency, WordOrder and DisplayFormat holding -1 gives code 1;
//    single-file details and the folder are applied; unless `restoring` (the settings window's
//    blnRestoring) is raised, each selected word-list file is offered ("Load file?": "Do you
//    wish to load the words-to-ignore file" / "Do you wish to load the count-only words file",
//    a line break, the path): Yes reads it (code 2 when that fails), No selects nothing
//    in that list and, for the words-to-ignore list, selects "[No language selected]"; finally
//    the tool tips are updated.
RestoreOutcome RestoreSavedState(const std::filesystem::path& path,
                                 const std::filesystem::path& defaultPath, Settings& s,
                                 RunState& run, Host& host, RestoreActions& actions,
                                 bool restoring = false);

// The same reading from the bytes of a saved state in a stream (RestoreSavedState opens the
// file and reads it through this).
RestoreOutcome RestoreSavedStateFrom(std::istream& in, Settings& s, RunState& run, Host& host,
                                     RestoreActions& actions, bool restoring = false);

// Start-up, after RestoreSavedState with the default path: for code 1 (catalogue text 37) and
// code 3 (catalogue text 38, ": " and the error text) asks that message, two line breaks and
// catalogue text 39, titled catalogue text 40 (Yes/No); Yes runs actions.Initialize, No sets
// SaveStateOnQuit to 0 so that quitting does not overwrite the faulty file. Other codes: nothing.
void HandleStartUpRestoreResult(const RestoreOutcome& outcome, Settings& s, RunState& run,
                                Host& host, RestoreActions& actions);

// The settings window's state label after loading or saving a chosen file.
inline constexpr std::u16string_view kStateLoadedFrom = u"Settings loaded from";
inline constexpr std::u16string_view kStateErrorLoadingFrom = u"Error loading from";
inline constexpr std::u16string_view kStateSavedTo = u"Settings saved to";
inline constexpr std::u16string_view kStateErrorSavingTo = u"Error saving to";

struct LoadSettingsOutcome {
    RestoreOutcome restore;
    std::u16string stateLabel; // one of the kState... texts
};

// "Load settings from file" on a chosen path (also `lexitally-cli --settings FILE`): restores
// with blnRestoring raised (so no word-list file is offered). Code 0 or -1: "Settings loaded
// from". Code 1: "Invalid combo box index."; code 3: "Error when attempting to load settings: "
// and the error text; both with an exclamation icon, title "Load settings", then
// actions.Initialize, and "Error loading from". Code 2: "Error loading from", no message.
// The window shows `chosen` in its state-file box beside the label.
LoadSettingsOutcome LoadSettingsFromFile(const std::filesystem::path& chosen, Settings& s,
                                         RunState& run, Host& host, RestoreActions& actions);
// The same behind the open-file dialog ("Specify file to load settings from.", the settings
// filter); std::nullopt when the person chooses nothing. chosenPath, when given, receives the
// path chosen (the window shows it in its state-file box).
std::optional<LoadSettingsOutcome> ChooseAndLoadSettings(Settings& s, RunState& run, Host& host,
                                                         RestoreActions& actions,
                                                         const std::u16string& initialPath,
                                                         std::u16string* chosenPath = nullptr);

// "Save settings to file" on a chosen path: returns the state label, "Settings saved to", or
// "Error saving to" after showing the error text (exclamation icon, title "Save settngs").
std::u16string SaveSettingsToFile(const std::filesystem::path& chosen, const Settings& s,
                                  Host& host, StateFileWriter& writer = PlainStateFileWriter());
// The same behind the save-file dialog ("Specify file to save settings to", the settings
// filter); std::nullopt when the person chooses nothing. chosenPath as above.
std::optional<std::u16string> ChooseAndSaveSettings(const Settings& s, Host& host,
                                                    const std::u16string& initialPath,
                                                    std::u16string* chosenPath = nullptr);

// The "Save settings" buttons (and quitting with SaveStateOnQuit): saves to the default path;
// success shows catalogue text 50 in a pop-up beside `nearControl`, failure shows the error
// text (exclamation icon, title "Save state"). Returns whether the file was saved.
bool SaveSettingsToDefault(const Settings& s, const std::filesystem::path& defaultPath, Host& host,
                           const std::string& nearControl);

} // namespace lxty
