#pragma once
// The choice made when the count button is pressed: count all words, or count only the
// specified words and phrases (frmCountWordsPhrases). This is the dialog's logic without its
// window: what it shows when it opens, what its buttons do, and the "list the files" box that
// switches the display format to the file-list format while it is checked.
//
//     CountChoice choice(settings, run, host);
//     const CountChoiceView& view = choice.Open();   // the window shows view
//     ... the person clicks: choice.CountAllWords() / CountSpecifiedWordsPhrases() /
//         GoToSettings() / Cancel() (also the window's close box), choice.SetFileList(b) ...
//     if (choice.blnCountAllWords) countRun.Start(CountMode::AllWords);
//
// The public flags are valid until the next Open.

#include <string>

namespace lxty {

class Host;
struct RunState;
struct Settings;

// What the dialog shows when it opens.
struct CountChoiceView {
    bool cmdCountSpecifiedWordsPhrasesEnabled = false; // only with count-only entries
    bool chkFileListVisible = false;                   // only for a folder source
    bool chkFileListChecked = false;                   // always cleared on opening
    std::u16string lblIntro;
};

// The display format that chkFileList selects: the file list (word and the files containing
// it).
inline constexpr int kFileListDisplayFormat = 11;

class CountChoice {
public:
    CountChoice(Settings& settings, RunState& run, Host& host);

    // Opening: keeps the display format in force, clears the flags and returns the view.
    const CountChoiceView& Open();
    const CountChoiceView& View() const { return m_view; }

    // chkFileList: checked selects display format 11; cleared restores the format kept at
    // opening.
    void SetFileList(bool checked);

    // "Count all words" / "Count only specified words/phrases": erase the main window's
    // result figures, set the flag; the window hides.
    void CountAllWords();
    void CountSpecifiedWordsPhrases();
    // "Go to 'Settings'": the window shows the settings window; the count is cancelled.
    void GoToSettings();
    // "Cancel" and the window's close box.
    void Cancel();

    bool blnCancel = false;
    bool blnCountAllWords = false;
    bool blnCountSpecifiedWordsPhrases = false;

    // The introduction, with count-only entries in force or without, and with or without
    // words to ignore.
    static std::u16string IntroText(bool countOnlyEntries, bool wordsToIgnore);

private:
    Settings& m_settings;
    RunState& m_run;
    Host& m_host;
    CountChoiceView m_view;
    int m_keptDisplayFormat = 0;
};

// Clears the main window's result figures (the word-count, excluded-words and occurrence
// labels).
void EraseNumWords(Host& host);

} // namespace lxty
