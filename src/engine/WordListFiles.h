#pragma once
// The word-list files of the settings window and the common-word languages, as operations that
// the settings window and lexitally-cli both call: adding a file to a list, choosing or
// clearing list entries, loading the selected file (AttemptToReadWords), choosing a common-word
// language, the first-run offer of the English common words, and the lost-focus processing of
// the two extra-words boxes.
//
// The settings record holds the lists (WordsFile) and the language (CommonWordsLanguages); the
// run state holds the counters and flags that loading keeps up to date. Reading a file and
// building its entries, parsing the extra-words boxes, listing the count-only entries and the
// main window's count-button caption are supplied through WordListEngine, so these operations
// can be driven by the real list reader or by a test's stand-in.
//
// Change handlers do nothing before start-up is complete (RunState::blnStartUpCompleted) or
// while a guard flag is raised; the window reads the guards when it mirrors the record into
// its controls, so that its own changes do not re-enter these operations.

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/SavedState.h"
#include "settings/Settings.h"
#include "util/Format.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace lxty {

// What ReadWords reports besides its counters (run.lngNumWordsToIgnore or
// run.lngNumCountOnlyWords, which it sets).
struct WordsReadResult {
    bool ok = false;
    // The failure came from simple wildcards ("*", "?", "~") in a count-only file.
    bool wildcards = false;
    // The failure came from "<" or ">" in a words-to-ignore file (patterns are count-only).
    bool angleBrackets = false;
};

// The counting engine and main-window operations the word-list operations call.
class WordListEngine {
public:
    virtual ~WordListEngine() = default;
    // ReadWords: checks and reads `path` as list `index` (0 words to ignore, 1 count-only) and
    // builds its entries, setting the list's counter in the run state.
    virtual WordsReadResult ReadWords(int index, const std::u16string& path) = 0;
    // ListCountOnlyWords: writes the count-only file entries to the text window.
    virtual void ListCountOnlyWords() = 0;
    // GetExtraWords: parses s.WordsToIgnoreOrCount[index] (already trimmed and lower-cased as
    // the settings ask) into the extra entries and sets intNumExtraWordsToIgnore or
    // intNumExtraCountOnlyWords; for box 0 it writes the normalised text back into the record.
    virtual void GetExtraWords(Settings& s, int index) = 0;
    // The main window's SetCountWordsCaption. The default updates the run state only:
    // blnThereAreCountOnlyWords when the count-only file or box holds at least one entry.
    virtual void SetCountWordsCaption(RunState& run);
    // The entries of list `index`'s file, or of its extra-words box, go out of force: the file
    // was removed, cleared, deselected or failed to load, or the box was emptied. The run
    // state's counter is already 0; the lists must follow, since a lookup may consult the
    // lists themselves. The defaults do nothing.
    virtual void ClearFileEntries(int index) { (void)index; }
    virtual void ClearExtraEntries(int index) { (void)index; }
    // The main window's result-figure label is cleared (a words-to-ignore file was loaded).
    virtual void ClearResultFigure() {}
    // Shows the report of a loaded words-to-ignore file ("1,234 words-to-ignore loaded").
    // The default does nothing.
    virtual void ShowWordsToIgnoreReport(const std::u16string& report) { (void)report; }
};

class SpecifiedWords;
class TextWindowSink;
class WordsToIgnore;

// The program's WordListEngine: the specified-words lists of the counting engine. `sw` must
// have been built on the same settings record and run state as the WordListFiles using it.
class SpecifiedWordsListEngine : public WordListEngine {
public:
    SpecifiedWordsListEngine(SpecifiedWords& sw, WordsToIgnore& wordsToIgnore,
                             TextWindowSink& textWindow)
        : m_sw(sw), m_wordsToIgnore(wordsToIgnore), m_textWindow(textWindow) {}

    // SpecifiedWords::ReadWordsFromFile; `wildcards` when it refused a count-only file for its
    // "?" or "~".
    WordsReadResult ReadWords(int index, const std::u16string& path) override;
    void ListCountOnlyWords() override;
    // SpecifiedWords::GetExtraWords on its own record (the same one as s).
    void GetExtraWords(Settings& s, int index) override;
    // The run-state part, then onCountWordsCaption (the window's caption), when set.
    void SetCountWordsCaption(RunState& run) override;
    void ClearFileEntries(int index) override;
    void ClearExtraEntries(int index) override;
    void ClearResultFigure() override;
    // The text window shows the report in place of "Now reading words to ignore . . . ".
    void ShowWordsToIgnoreReport(const std::u16string& report) override;

    std::function<void()> onCountWordsCaption;
    std::function<void()> onClearResultFigure;

private:
    SpecifiedWords& m_sw;
    WordsToIgnore& m_wordsToIgnore;
    TextWindowSink& m_textWindow;
};

// Where the settings window puts the focus after an operation.
enum class WordListFocus { Unchanged, CloseButton, SaveSettings, HideSettings };

// The choice made in the "Load or remove this file" dialog.
enum class LoadRemoveChoice { Load, Remove, Cancel };

// Texts of the word-list operations.
inline constexpr std::u16string_view kProceedTitle = u"Proceed?";
inline constexpr std::u16string_view kFileNotFoundTitle = u"File not found";
inline constexpr std::u16string_view kReadErrorTitle =
    u"Error when reading count-only words/phrases";
inline constexpr std::u16string_view kIgnoreReadErrorTitle = u"Error when reading words to ignore";
inline constexpr std::u16string_view kCountOnlyLoadedTitle = u"Count-only words/phrases loaded";
inline constexpr std::u16string_view kLoadCommonWordsTitle = u"Load common words file";
inline constexpr std::u16string_view kAnyTextFileFilter = u"Any text file (*.*) | *.*";

class WordListFiles {
public:
    WordListFiles(Settings& s, RunState& run, Host& host, WordListEngine& engine,
                  std::filesystem::path programFolder);

    // Settings-window guard flags.
    bool blnEnablingDisablingWordsFile = false; // the program changes a list's selection
    bool blnChangingLanguage = false;           // a language change adds a file
    bool blnReselectingWordsFile = false;       // re-selecting after a cancelled choice

    // How counts are written in messages ("1,234").
    NumberLocale locale;

    // The path last read successfully for list `index`, or empty.
    const std::u16string& LoadedPath(int index) const;
    // Where the focus goes after the last operation.
    WordListFocus Focus() const { return m_focus; }

    // AttemptToReadWords: loads the selected file of list `index`. Returns whether it was read.
    //  - Nothing selected: false, no message.
    //  - The file is missing: after start-up "File for words-to-ignore not found." /
    //    "File for count-only words not found." (exclamation, "File not found") and the list
    //    is left with nothing selected; during start-up, for list 0, the English common-word
    //    file is added and selected instead (not read; not added again when it is itself the
    //    missing file). The list's file entries go out of force. False.
    //  - Read: list 1 switches count-only mode on and asks whether to list the entries
    //    ("One count-only word/phrase loaded from <path>..." / "<n> count-only-words/phrases
    //    loaded from <path>..."); list 0 clears the result figure, reports "One
    //    word-to-ignore loaded" / "<n> words-to-ignore loaded" and sets the language list to
    //    the file's language. True.
    //  - The read fails: the list is left with nothing selected and the file's entries go out
    //    of force (counter 0). Unless a stop was requested, the wildcard message or "Error
    //    when attempting to load <kind>" + CR LF + "from file <path>" (exclamation) is shown
    //    and the extra-words box of that kind is emptied, its entries going too. False.
    bool AttemptToReadWords(int index);

    // The "Words-to-ignore files" / "Count-only words/phrases files" buttons: the questions and
    // limits, then the open-file dialog, then AddWordsFilePath. Returns whether a file was
    // added and read.
    bool AddWordsFile(int index);
    // The same with the path already chosen (lexitally-cli's WordsFile0=PATH): for list 0 the
    // "Proceed?" question when count-only words are in force (No: false); the 99-file limit;
    // AddToList (warning on; false when the path is already there); AttemptToReadWords, and
    // the entry is removed again when that fails; finally the count button's caption.
    bool AddWordsFilePath(int index, const std::u16string& path);

    // lexitally-cli's WordsFile<index>=PATH: a path already in the list (in any letter case) is
    // selected and read unless it is the file already loaded; any other path is added and
    // read as AddWordsFilePath does. Returns whether the file is the one in force.
    bool UseWordsFile(int index, const std::u16string& path);
    // lexitally-cli's CommonWordsLanguages=N: LanguageChosen(N), except that when the
    // selected words-to-ignore file already is that language's file it is read (unless it is
    // the file already loaded) instead of nothing happening. Returns whether that language's
    // file is in force (for 7: whether no file is).
    bool UseLanguage(int languageIndex);

    // An entry of list `index` was chosen (the record's selection is already the chosen
    // entry) and the "Load or remove this file" dialog answered `choice`.
    void WordsFileChosen(int index, LoadRemoveChoice choice);

    // "Clear" beside list `index`.
    void ClearWordsFiles(int index);

    // The language list's selection became `languageIndex`. Returns whether a common-word
    // file was read.
    bool LanguageChosen(int languageIndex);

    // Start-up, after the saved state is read: offers the English common words when list 0
    // is empty (catalogue texts 41 and 42). Returns whether they were read.
    bool FirstRun();

    // The extra-words box `index` loses the focus (also the saved-state reader, and "Clear"
    // after emptying the box): trims the text, lower-cases it outside "<...>" patterns unless
    // case is significant, parses it and checks its characters (CheckAllowedExtraChars, see
    // below for `restoring`).
    void ExtraWordsLostFocus(int index, bool restoring = false);
    // "Clear" beside the extra-words box `index`.
    void ClearExtraWords(int index);

    // CheckAllowedExtraChars, run only after start-up and while `restoring` (the settings
    // window's blnRestoring, or its "Check/Clear all checkboxes" flag) is lowered; true when
    // skipped.
    bool CheckAllowedExtraChars(bool restoring = false);

private:
    bool MayAddFile(int index);
    bool AddChosenFile(int index, const std::u16string& path);
    void SetThereAreWordsToIgnore();
    void ForgetFileEntries(int index);
    void ForgetExtraEntries(int index);
    std::u16string& Loaded(int index);

    Settings& m_s;
    RunState& m_run;
    Host& m_host;
    WordListEngine& m_engine;
    std::filesystem::path m_programFolder;
    std::array<std::u16string, 2> m_loaded;
    WordListFocus m_focus = WordListFocus::Unchanged;
};

// The saved-state reader's word-list hooks run through a WordListFiles working on the same
// settings record: a file the person agreed to load is read with AttemptToReadWords, an
// extra-words value gets the box's lost-focus processing (no character check while
// `restoring`). The other hooks keep their defaults; a window adds its own by deriving.
class WordListRestoreActions : public RestoreActions {
public:
    WordListRestoreActions(WordListFiles& files, bool restoring)
        : m_files(files), m_restoring(restoring) {}
    void ApplyExtraWords(Settings& s, int index) override;
    bool AttemptToReadWords(Settings& s, int index) override;

private:
    WordListFiles& m_files;
    bool m_restoring;
};

} // namespace lxty
