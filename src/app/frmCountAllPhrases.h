#pragma once
// The all-phrases window: the phrase-length range, the minimum number of occurrences, how
// words to ignore are treated, the filter words and mode, and the buttons that count, filter,
// copy, save and leave. Its controls show and edit fields of the settings record (object name
// = kind prefix + field name, e.g. cboPhraseLength0, optIncludeAllWordsAsSubphrase); the count
// and the filter are the count session's (CountPhrases, FilterPhrases): the window never
// counts. Created on first use and hidden, never destroyed, after each use.

#include "run/CountSession.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lxty::app {

class FieldBinder;

class frmCountAllPhrases : public QDialog {
    Q_OBJECT
public:
    frmCountAllPhrases(CountSession& session, QWidget* parent = nullptr);

    // Shows the window modally (the introduction and the enabling worked out afresh) and
    // returns when it has been closed; a count started there has run by then.
    void Choose();
    // Shows the record in the controls.
    void RecordToControls();

    // The main window's parts: "Save settings", the settings window, quitting the program,
    // and showing a display format the file-list box changed. Each may be left empty.
    std::function<void()> saveSettings;
    std::function<void()> showSettingsWindow;
    std::function<void()> quitProgram;
    std::function<void()> displayFormatChanged;

    // The outcome of the last "Count phrases" (Refused when none ran).
    RunOutcome LastOutcome() const { return m_lastOutcome; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Activate();
    void OnCountPhrases();
    void OnFilter();
    void ParseFilterBox();
    void OnFileList(bool checked);

    CountSession& m_session;
    Settings& m_settings;
    FieldBinder* m_binder = nullptr;
    bool m_updating = false;
    int m_keptDisplayFormat = 0;
    RunOutcome m_lastOutcome = RunOutcome::Refused;

    QLabel* m_lblIntro = nullptr;
    QLabel* m_lblWordsToIgnore = nullptr;
    QComboBox* m_cboPhraseLength[2] = {};
    QComboBox* m_cboMinimumFrequency = nullptr;
    QGroupBox* m_fraWordsToIgnoreInPhrases = nullptr;
    QLineEdit* m_txbFilterWords = nullptr;
    QPushButton* m_cmdFilter = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QCheckBox* m_chkFileList = nullptr;
    QPushButton* m_cmdCountPhrases = nullptr;
    QPushButton* m_cmdCopyToClipboard = nullptr;
    QPushButton* m_cmdSaveState = nullptr;
    QPushButton* m_cmdSetParameters = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QPushButton* m_cmdQuit = nullptr;
};

} // namespace lxty::app
