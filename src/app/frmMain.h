#pragma once
// The main window: the program itself. It owns the count session (the settings record, the
// run state, the word table, the text window model, the word lists and the count run that
// works on them, wired as the command-line program wires them); its controls edit the record
// and its buttons start the session's operations. The window never counts: it shows what the count
// run writes through the Host (labels and the text window, by object name) and keeps its controls'
// enabling in step (EnableDisableButtons, the one-second refresh).
//
// Start-up: construct, show(), StartUp() (loads the numbered texts, fills the lists, resets
// the settings, restores the saved state, starts the refresh). Closing the window is "Quit":
// it saves the state when SaveStateOnQuit is set.

#include "app/QtHost.h"
#include "run/CountSession.h"
#include "util/Catalogue.h"

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <memory>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace lxty::app {

class FieldBinder;
class frmAbout;
class frmClipboardViewer;
class frmCountAllPhrases;
class frmCountArray;
class frmCountWordsPhrases;
class frmParams;
class frmResults;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // catalogueFile: the numbered texts ("lxty.dat" beside the program).
    explicit frmMain(const QString& catalogueFile, QWidget* parent = nullptr);
    ~frmMain() override;

    RunState& State() { return m_session->state; }
    Settings& Record() { return m_session->settings; }
    Host& TheHost() { return *m_host; }
    CountSession& Session() { return *m_session; }
    WordTable& Table() { return m_session->table; }
    CountRun& Run() { return m_session->run; }
    // The result code of loading the numbered texts.
    const CatalogueLoadResult& CatalogueResult() const { return m_catalogueResult; }

    // The saved state file. Empty (the default): "Tarnwell Systems/lxty.usr" in the generic
    // configuration folder, worked out at start-up. Set it before StartUp to use another.
    void SetStateFilePath(const std::filesystem::path& path) { m_stateFile = path; }
    const std::filesystem::path& StateFilePath() const { return m_stateFile; }
    // Whether StartUp restores the saved state and, with an empty words-to-ignore list,
    // offers the common words (on by default).
    void SetRestoreStateAtStartUp(bool restore) { m_restoreAtStartUp = restore; }
    // Whether StartUp shows the help message that points to the manual (on by default).
    void SetHelpAtStartUp(bool help) { m_helpAtStartUp = help; }

    // Start-up that may show messages: call after show().
    void StartUp();

    // The record changed outside the controls (a restore, a count, a reset, a word list): every
    // open window shows it again (recordChanged).
    void RecordToControls();
    // The settings window (created on first use, then hidden rather than destroyed), shown;
    // the "Settings" button, "Go to 'Settings'" and the count run's comment-marker check.
    void ShowSettingsWindow();
    frmParams* SettingsWindow() const { return m_params; }
    // Puts the focus where the current state calls for it (the count button when a source is
    // ready, otherwise the chooser of the current source).
    void SetTheFocus();
    // The main window's Initialize after start-up (the settings window's "Reinitialize"): the
    // record reset, the questions about the word-file lists, every window showing the result.
    void Reinitialize();
    // What this window does while a saved state is applied; `restoring`: the settings
    // window's blnRestoring is raised (no word-list file is offered, no character check).
    std::unique_ptr<RestoreActions> MakeRestoreActions(bool restoring);
    // After the settings window loaded a settings file: the kept copies of the folder and
    // input file, the field dependencies, and every window showing the loaded record.
    void AfterSettingsLoaded(const RestoreOutcome& outcome);
    // The binding of this window's controls to the record.
    FieldBinder& Binder() { return *m_binder; }
    // The one-second refresh: captions, tool tips, enabling of the clear buttons.
    void Refresh();
    // EnableDisableButtons (the count run calls it through the session).
    void EnableDisableButtons(bool enable);
    // SetCountWordsCaption: count-only entries in force, the captions of the count button
    // and of the count-array button (count-only entries or all words).
    void SetCountWordsCaption();
    // The Help button (and F1): the message that points to the manual, then the focus on the
    // label that opens it.
    void ShowHelp();
    // The windows opened from this one (created on first use, then hidden).
    frmCountAllPhrases* AllPhrasesWindow() const { return m_allPhrases; }
    frmCountArray* CountArrayWindow() const { return m_countArray; }

    // --- Results and drag and drop (frmMainResults.cpp) -------------------------------------
    // The "Results" button: the results window of the last count (created on first use).
    void ShowResults();
    frmResults* ResultsWindow() const { return m_results; }
    // A file or folder dropped on the window becomes the source, as if chosen with its
    // button; false (nothing changes) for anything else, or while a count runs.
    bool UseDroppedSource(const QString& path);

signals:
    void recordChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // F1 on the help, output-file and count buttons; the pattern boxes left; clicks in the
    // text window; Enter on the two link labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLabelFont(const std::string& label, const std::u16string& font, int points);

    void CentreOnScreen();
    void BuildControls();
    QGroupBox* BuildSourceFrame(QWidget* central);
    QGroupBox* BuildDisplayFrame(QWidget* central);
    QGroupBox* BuildOutputFrame(QWidget* central);
    QVBoxLayout* BuildCommands(QWidget* central);
    QGridLayout* BuildFigures(QWidget* central);
    void ConnectControls();
    void OnFieldChanged(std::u16string_view field, int previous);
    void ShowRecord();
    // After the main window's Initialize ran on the record (Reinitialize, a faulty state).
    void AfterInitialize();
    void EnableControlsForSource();
    void OnSourceChosen(SourceKind kind);
    void OnChooseInputFile();
    void OnChooseFolder();
    // What choosing a file or a folder with its button does once one is chosen.
    void UseInputFile(const std::u16string& path);
    void UseFolder(const std::u16string& path);
    // The Results button beside the settings button, drops accepted (constructor).
    void BuildResults();
    // A count starts (enable false: the results window lets go of the table) or has ended.
    void ResultsAfterRun(bool enable);
    void OnChooseOutputFile();
    void OnCountWords();
    void OnCountAllPhrases();
    void OnCountArray();
    // After a count started here has ended: the controls back, and the quit asked for
    // during the run.
    void AfterRun();
    void OnClearOutput();
    void OnViewClipboard();
    void OnAbout();
    void OnPatternBoxLeft(int index);
    bool OnTextWindowMouse(QMouseEvent* event);
    QString DataFolder() const;
    void OnListFiles();
    void OnSaveState();
    void OnReportOption(int option);
    void ShowSingleFileDetails();
    void FillLists();
    bool Ready() const;

    class Restore;

    QString m_catalogueFile;
    CatalogueLoadResult m_catalogueResult;
    std::filesystem::path m_stateFile;
    bool m_restoreAtStartUp = true;
    bool m_helpAtStartUp = true;
    bool m_checkingPatterns = false; // a pattern box's message is up
    bool m_closeAfterRun = false;    // the window was closed during a count: quit once it ends
    // Kept copies of the input-file and folder texts across source changes.
    std::u16string m_keptFile;
    std::u16string m_keptFolder;
    std::u16string m_lastStateError;

    std::unique_ptr<QtHost> m_host;
    std::unique_ptr<CountSession> m_session;
    // Shorthands into the session.
    Settings& m_settings;
    RunState& m_state;
    frmCountWordsPhrases* m_countChoice = nullptr;
    frmParams* m_params = nullptr;
    frmCountAllPhrases* m_allPhrases = nullptr;
    frmCountArray* m_countArray = nullptr;
    frmClipboardViewer* m_clipboardViewer = nullptr;
    frmAbout* m_about = nullptr;
    FieldBinder* m_binder = nullptr;

    QTimer m_refreshTimer; // Timer1: the refresh
    QTimer m_runTimer;     // Timer2: the run's elapsed time and progress

    // Controls
    QGroupBox* m_fraSource = nullptr;
    QGroupBox* m_fraOutput = nullptr;
    QGroupBox* m_fraDisplay = nullptr;
    QLabel* m_lblSelectSource = nullptr;
    QRadioButton* m_optOnClipboard = nullptr;
    QRadioButton* m_optInFile = nullptr;
    QRadioButton* m_optFolder = nullptr;
    QPushButton* m_cmdFile[2] = {};
    QLineEdit* m_txbFile[2] = {};
    QPushButton* m_cmdClearFile[2] = {};
    QPushButton* m_cmdFolder = nullptr;
    QLineEdit* m_txbFolder = nullptr;
    QPushButton* m_cmdClearFolder = nullptr;
    QCheckBox* m_chkIncludeSubfolders = nullptr;
    QLabel* m_lblScanOnlyFiles = nullptr;
    QLabel* m_lblExcludeFilepaths = nullptr;
    QLineEdit* m_txbFileFilepathSpecifications[2] = {};
    QPushButton* m_cmdListFiles = nullptr;
    QCheckBox* m_chkDisableOutputToFile = nullptr;
    QCheckBox* m_chkSuppressWords = nullptr;
    QCheckBox* m_chkSuppressFilenames = nullptr;
    QLabel* m_lblWordOrder = nullptr;
    QComboBox* m_cboWordOrder = nullptr;
    QLabel* m_lblDisplayFormat = nullptr;
    QComboBox* m_cboDisplayFormat = nullptr;
    QCheckBox* m_chkDisplayRelativeFrequency = nullptr;
    QCheckBox* m_chkSortByNumberOfFiles = nullptr;
    QPushButton* m_cmdCountWords = nullptr;
    QPushButton* m_cmdCountAllPhrases = nullptr;
    QPushButton* m_cmdCountArray = nullptr;
    QPushButton* m_cmdClipboardViewer = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QLabel* m_lblOnlineDocumentation = nullptr;
    QLabel* m_lblTarnwellSystems = nullptr;
    QPushButton* m_cmdSetParameters = nullptr;
    QPushButton* m_cmdSaveState = nullptr;
    QPushButton* m_cmdClearOutput = nullptr;
    QPushButton* m_cmdQuit = nullptr;
    QPushButton* m_cmdResults = nullptr;
    frmResults* m_results = nullptr;
    QPlainTextEdit* m_txbOutput = nullptr;
    QLabel* m_lblFile = nullptr;
    QLabel* m_lblFilesize = nullptr;
    QLabel* m_lblXMLsize = nullptr;
    QLabel* m_lblTimeElapsed = nullptr;
    QLabel* m_lblNumberOfWords = nullptr;
    QLabel* m_lblNumWordsExcluded = nullptr;
    QLabel* m_lblNumOccurrences = nullptr;
    QLabel* m_lblTotalNumOccurrences = nullptr;
    QLabel* m_lblTwirler = nullptr;
};

} // namespace lxty::app
