#pragma once
// The settings window: what counts as a word, which words are ignored, the word-list files and
// extra words, the phrase boundaries and the output options, and the buttons that save, load
// and reset the settings. Modeless; created on first use by the main window and then hidden,
// never destroyed. Its check boxes, lists and boxes are bound to the settings record by object
// name (FieldBinder), so a change reaches the record at once and every window shows the
// record again after any change made by the program (frmMain::recordChanged).
//
// Change handlers are inert before the main window's start-up is complete and while
// blnRestoring is raised (the program is setting values itself).

#include "engine/WordListFiles.h"

#include <QWidget>
#include <array>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lxty {
class CountSession;
class Host;
struct RunState;
struct Settings;
struct SettingsField;
} // namespace lxty

namespace lxty::app {

class FieldBinder;
class frmLoadRemove;
class frmMain;

class frmParams : public QWidget {
    Q_OBJECT
public:
    explicit frmParams(frmMain& main);

    bool blnRestoring = false;

    // Places the window beside the main window, shows it and gives "Hide settings" the focus.
    void Open();
    // The record in the controls, with what follows from it (labels, tool tips, enabling).
    void ShowRecord();
    // The count-only box's tool tip follows CaseSignificant.
    void SetToolTipText();
    // False while a count runs: no control that could change a setting may be used.
    void EnableDisableButtons(bool enable);
    // The one-second refresh: the file lists and clear buttons enabled when they hold
    // something, "List" while a count-only file is selected, the add-file captions.
    void Refresh();

    FieldBinder& Binder() { return *m_binder; }

private:
    void BuildControls();
    QGroupBox* BuildAllowFrame();
    QGroupBox* BuildAlsoFrame();
    QGroupBox* BuildIgnoreFrame();
    QGroupBox* BuildPhraseFrame();
    QGroupBox* BuildPatternFrame();
    QGroupBox* BuildOptionsFrame();
    QGroupBox* BuildWordListsFrame();
    QWidget* BuildButtons();
    void ConnectControls();

    void OnFieldChanged(const SettingsField& field, int previous);
    void OnWordsFileChosen(int index);
    void OnCheckAll(int value);
    void OnRestoreDefaults();
    void OnReinitialize();
    void OnSaveToFile();
    void OnLoadFromFile();
    void OnListCountOnlyWords();
    void OnQuit();
    void ShowStateFile(const std::u16string& label, const std::u16string& path);
    // After a word-list operation: every window shows the record, the focus goes where the
    // operation asked.
    void AfterWordListOperation();
    bool SetFocusIfPossible(QWidget* w);
    bool Live() const;

    frmMain& m_main;
    CountSession& m_session;
    Settings& m_s;
    RunState& m_run;
    Host& m_host;
    WordListFiles& m_lists;
    FieldBinder* m_binder = nullptr;
    frmLoadRemove* m_loadRemove = nullptr;
    bool m_settingAllCheckboxes = false; // "Check all" / "Clear all" is running

    QLabel* m_lblExcessFrequency = nullptr;
    QLabel* m_lblState = nullptr;
    QLineEdit* m_txbStateFile = nullptr;
    QLineEdit* m_txbUserSpecifiedExtraChars = nullptr;
    std::array<QLineEdit*, 2> m_txbWordsToIgnoreOrCount{};
    std::array<QComboBox*, 2> m_cboWordsFile{};
    std::array<QPushButton*, 2> m_cmdWordsFile{};
    std::array<QPushButton*, 2> m_cmdClearWordsFile{};
    std::array<QPushButton*, 2> m_cmdClearWordsToIgnoreOrCount{};
    QPushButton* m_cmdListCountOnlyWords = nullptr;
    QPushButton* m_cmdSaveSettings = nullptr;
    QPushButton* m_cmdHideSettings = nullptr;
    QPushButton* m_cmdReinitialize = nullptr;
    QCheckBox* m_chkUseLog10 = nullptr;
};

} // namespace lxty::app
