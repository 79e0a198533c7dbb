#include "app/frmMain.h"

#include "app/frmCountWordsPhrases.h"
#include "app/frmPopUp.h"
#include "run/CountChoice.h"
#include "reports/OutputFile.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsLists.h"
#include "sources/Docx.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/StringUtils.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace lxty::app {

namespace fs = std::filesystem;

namespace {

QString Q(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}
std::u16string U(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()),
                          static_cast<std::size_t>(s.size()));
}

// The listing needs a fixed-pitch font; "Courier New" where it is installed.
QFont FixedFont(int points = 10) {
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        QFont f(QStringLiteral("Courier New"), points);
        f.setStyleHint(QFont::Monospace);
        return f;
    }
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(f).fixedPitch()) {
        // Some platforms name no fixed font of their own: ask the font matcher for one.
        f = QFont(QStringLiteral("monospace"));
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    }
    f.setPointSize(points);
    return f;
}

// "Arial" where installed, else the general font.
QFont GeneralFont(int points = 10) {
    if (QFontDatabase::families().contains(QStringLiteral("Arial")))
        return QFont(QStringLiteral("Arial"), points);
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPointSize(points);
    return f;
}

const QString kInputFileTip =
    QStringLiteral("To specify an input file click on the button labelled 'Single file'.");
const QString kOutputFileTip =
    QStringLiteral("To specify an output file click on the button labelled 'Output file'.");
const QString kFolderTip =
    QStringLiteral("To specify a folder click on the button labelled 'Folder'.");

} // namespace

// What the window does while a saved state is applied.
// Word-list files the person agrees to load are read by the session's word lists.
class frmMain::Restore : public WordListRestoreActions {
public:
    explicit Restore(frmMain& w) : WordListRestoreActions(w.m_session->wordLists, false), m_w(w) {}
    void ShowSingleFileDetails(Settings&) override { m_w.ShowSingleFileDetails(); }

private:
    frmMain& m_w;
};

namespace {
// The common-word files lie beside the numbered texts, in the program's folder.
fs::path ProgramFolderOf(const QString& catalogueFile) {
    return fs::path(QFileInfo(catalogueFile).absolutePath().toStdU16String());
}
} // namespace

frmMain::frmMain(const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_catalogueFile(catalogueFile), m_host(std::make_unique<QtHost>(this)),
      m_session(std::make_unique<CountSession>(*m_host, ProgramFolderOf(catalogueFile))),
      m_settings(m_session->settings), m_state(m_session->state) {
    setObjectName("frmMain");
    setWindowTitle("Lexitally");
    BuildControls();
    m_host->SetTextWindow(m_txbOutput);
    m_session->onEnableDisableButtons = [this](bool enable) { EnableDisableButtons(enable); };
    m_session->onSetLabelFont = [this](const std::string& label, const std::u16string& font,
                                       int points) { SetLabelFont(label, font, points); };
    ConnectControls();

    m_refreshTimer.setInterval(1000);
    connect(&m_refreshTimer, &QTimer::timeout, this, &frmMain::Refresh);
    m_runTimer.setInterval(1000);
    connect(&m_runTimer, &QTimer::timeout, this, [this] { m_session->run.TimerTick(); });
    resize(1000, 720);
}

frmMain::~frmMain() = default;

void frmMain::BuildControls() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);

    auto button = [](QWidget* parent, const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(name);
        return b;
    };
    auto label = [](QWidget* parent, const char* name, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        return l;
    };
    auto check = [](QWidget* parent, const char* name, const QString& caption) {
        auto* c = new QCheckBox(caption, parent);
        c->setObjectName(name);
        return c;
    };
    auto line = [](QWidget* parent, const QString& name) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        return e;
    };

    // Source of the text
    m_fraSource = new QGroupBox(QStringLiteral("Source"), central);
    m_fraSource->setObjectName("fraSource");
    auto* src = new QGridLayout(m_fraSource);
    m_lblSelectSource = label(m_fraSource, "lblSelectSource", QString());
    m_optOnClipboard = new QRadioButton(QStringLiteral("Clipboard"), m_fraSource);
    m_optOnClipboard->setObjectName("optOnClipboard");
    m_optInFile = new QRadioButton(QStringLiteral("Single file"), m_fraSource);
    m_optInFile->setObjectName("optInFile");
    m_optFolder = new QRadioButton(QStringLiteral("Folder"), m_fraSource);
    m_optFolder->setObjectName("optFolder");
    auto* opts = new QHBoxLayout;
    opts->addWidget(m_lblSelectSource);
    opts->addWidget(m_optOnClipboard);
    opts->addWidget(m_optInFile);
    opts->addWidget(m_optFolder);
    opts->addStretch(1);
    src->addLayout(opts, 0, 0, 1, 3);

    m_cmdFile[0] = button(m_fraSource, "cmdFile0", QStringLiteral("Single file"));
    m_txbFile[0] = line(m_fraSource, QStringLiteral("txbFile0"));
    m_cmdClearFile[0] = button(m_fraSource, "cmdClearFile0", QStringLiteral("Clear"));
    src->addWidget(m_cmdFile[0], 1, 0);
    src->addWidget(m_txbFile[0], 1, 1);
    src->addWidget(m_cmdClearFile[0], 1, 2);

    m_cmdFolder = button(m_fraSource, "cmdFolder", QStringLiteral("Folder"));
    m_txbFolder = line(m_fraSource, QStringLiteral("txbFolder"));
    m_cmdClearFolder = button(m_fraSource, "cmdClearFolder", QStringLiteral("Clear"));
    src->addWidget(m_cmdFolder, 2, 0);
    src->addWidget(m_txbFolder, 2, 1);
    src->addWidget(m_cmdClearFolder, 2, 2);

    m_chkIncludeSubfolders =
        check(m_fraSource, "chkIncludeSubfolders", QStringLiteral("Include subfolders"));
    m_cmdListFiles =
        button(m_fraSource, "cmdListFiles", QStringLiteral("List files to be scanned"));
    auto* folderOpts = new QHBoxLayout;
    folderOpts->addWidget(m_chkIncludeSubfolders);
    folderOpts->addStretch(1);
    folderOpts->addWidget(m_cmdListFiles);
    src->addLayout(folderOpts, 3, 1, 1, 2);

    m_lblScanOnlyFiles =
        label(m_fraSource, "lblScanOnlyFiles", QStringLiteral("Scan files matching patterns:"));
    m_txbFileFilepathSpecifications[0] =
        line(m_fraSource, QStringLiteral("txbFileFilepathSpecifications0"));
    m_lblExcludeFilepaths = label(m_fraSource, "lblExcludeFilepaths",
                                  QStringLiteral("Exclude filepaths containing text:"));
    m_txbFileFilepathSpecifications[1] =
        line(m_fraSource, QStringLiteral("txbFileFilepathSpecifications1"));
    src->addWidget(m_lblScanOnlyFiles, 4, 0);
    src->addWidget(m_txbFileFilepathSpecifications[0], 4, 1, 1, 2);
    src->addWidget(m_lblExcludeFilepaths, 5, 0);
    src->addWidget(m_txbFileFilepathSpecifications[1], 5, 1, 1, 2);
    src->setColumnStretch(1, 1);

    // Display of the results
    m_fraDisplay = new QGroupBox(QStringLiteral("Display"), central);
    m_fraDisplay->setObjectName("fraDisplay");
    auto* disp = new QGridLayout(m_fraDisplay);
    m_chkSuppressWords =
        check(m_fraDisplay, "chkSuppressWords", QStringLiteral("Don't display words as found."));
    m_chkSuppressWords->setToolTip(QStringLiteral("Check this box for faster processing."));
    m_chkSuppressFilenames =
        check(m_fraDisplay, "chkSuppressFilenames", QStringLiteral("Don't display filenames"));
    m_lblWordOrder = label(m_fraDisplay, "lblWordOrder", QStringLiteral("Order:"));
    m_cboWordOrder = new QComboBox(m_fraDisplay);
    m_cboWordOrder->setObjectName("cboWordOrder");
    m_lblDisplayFormat = label(m_fraDisplay, "lblDisplayFormat", QStringLiteral("Format:"));
    m_cboDisplayFormat = new QComboBox(m_fraDisplay);
    m_cboDisplayFormat->setObjectName("cboDisplayFormat");
    m_cboDisplayFormat->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboDisplayFormat->setMinimumContentsLength(28);
    m_chkDisplayRelativeFrequency =
        check(m_fraDisplay, "chkDisplayRelativeFrequency",
              QStringLiteral("Display relative frequency instead of absolute frequency"));
    m_chkDisplayRelativeFrequency->setToolTip(Q(std::u16string(kRelativeFrequencyToolTip)));
    m_chkSortByNumberOfFiles =
        check(m_fraDisplay, "chkSortByNumberOfFiles",
              QStringLiteral("Sort by number of files instead of frequency"));
    disp->addWidget(m_chkSuppressWords, 0, 0, 1, 2);
    disp->addWidget(m_chkSuppressFilenames, 1, 0, 1, 2);
    disp->addWidget(m_lblWordOrder, 2, 0);
    disp->addWidget(m_cboWordOrder, 2, 1);
    disp->addWidget(m_lblDisplayFormat, 3, 0);
    disp->addWidget(m_cboDisplayFormat, 3, 1);
    disp->addWidget(m_chkDisplayRelativeFrequency, 4, 0, 1, 2);
    disp->addWidget(m_chkSortByNumberOfFiles, 5, 0, 1, 2);
    disp->setColumnStretch(1, 1);
    disp->setRowStretch(6, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_fraSource, 3);
    top->addWidget(m_fraDisplay, 2);
    outer->addLayout(top);

    // Output file
    m_fraOutput = new QGroupBox(QStringLiteral("Output"), central);
    m_fraOutput->setObjectName("fraOutput");
    auto* out = new QHBoxLayout(m_fraOutput);
    m_cmdFile[1] = button(m_fraOutput, "cmdFile1", QStringLiteral("Output file"));
    m_txbFile[1] = line(m_fraOutput, QStringLiteral("txbFile1"));
    m_cmdClearFile[1] = button(m_fraOutput, "cmdClearFile1", QStringLiteral("Clear"));
    m_chkDisableOutputToFile =
        check(m_fraOutput, "chkDisableOutputToFile", QStringLiteral("Disable"));
    m_chkDisableOutputToFile->setToolTip(QStringLiteral("Disable output to file"));
    m_cmdFile[1]->setToolTip(
        QStringLiteral("To specify an output file click on the button labelled 'Output file'"));
    out->addWidget(m_cmdFile[1]);
    out->addWidget(m_txbFile[1], 1);
    out->addWidget(m_cmdClearFile[1]);
    out->addWidget(m_chkDisableOutputToFile);
    outer->addWidget(m_fraOutput);

    // Commands
    auto* cmds = new QHBoxLayout;
    m_cmdCountWords = button(central, "cmdCountWords", QStringLiteral("Count words/phrases"));
    m_cmdCountWords->setToolTip(QStringLiteral("Count all words or count specified words/phrases"));
    m_cmdCountWords->setMinimumWidth(220);
    QFont bold = m_cmdCountWords->font();
    bold.setBold(true);
    m_cmdCountWords->setFont(bold);
    m_cmdClearOutput = button(central, "cmdClearOutput", QStringLiteral("Clear textbox"));
    m_cmdSaveState = button(central, "cmdSaveState", QStringLiteral("Save settings"));
    m_cmdQuit = button(central, "cmdQuit", QStringLiteral("Quit"));
    cmds->addWidget(m_cmdCountWords);
    cmds->addStretch(1);
    cmds->addWidget(m_cmdClearOutput);
    cmds->addWidget(m_cmdSaveState);
    cmds->addWidget(m_cmdQuit);
    outer->addLayout(cmds);

    // Run details and result figures
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(16);
    figures->setVerticalSpacing(2);
    m_lblFile = label(central, "lblFile", QString());
    m_lblFilesize = label(central, "lblFilesize", QString());
    m_lblXMLsize = label(central, "lblXMLsize", QString());
    m_lblTimeElapsed = label(central, "lblTimeElapsed", QString());
    m_lblNumberOfWords = label(central, "lblNumberOfWords", QString());
    m_lblNumWordsExcluded = label(central, "lblNumWordsExcluded", QString());
    m_lblNumOccurrences = label(central, "lblNumOccurrences", QString());
    m_lblTotalNumOccurrences = label(central, "lblTotalNumOccurrences", QString());
    m_lblTwirler = label(central, "lblTwirler", QStringLiteral(" "));
    m_lblTwirler->setFont(FixedFont());
    m_lblTwirler->setFixedWidth(QFontMetrics(m_lblTwirler->font()).horizontalAdvance('W') + 4);
    for (QLabel* l : {m_lblFile, m_lblFilesize, m_lblXMLsize, m_lblTimeElapsed, m_lblNumberOfWords,
                      m_lblNumWordsExcluded, m_lblNumOccurrences, m_lblTotalNumOccurrences}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setMinimumWidth(0);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setFont(GeneralFont());
        l->setMinimumHeight(QFontMetrics(FixedFont()).height() + 2);
    }
    figures->addWidget(m_lblFile, 0, 0, 1, 3);
    figures->addWidget(m_lblTwirler, 0, 3);
    figures->addWidget(m_lblFilesize, 1, 0);
    figures->addWidget(m_lblXMLsize, 1, 1);
    figures->addWidget(m_lblTimeElapsed, 1, 2, 1, 2);
    figures->addWidget(m_lblNumberOfWords, 2, 0);
    figures->addWidget(m_lblNumWordsExcluded, 2, 1, 1, 3);
    figures->addWidget(m_lblNumOccurrences, 3, 0);
    figures->addWidget(m_lblTotalNumOccurrences, 3, 1, 1, 3);
    figures->setColumnStretch(0, 1);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(2, 1);
    outer->addLayout(figures);

    m_txbOutput = new QPlainTextEdit(central);
    m_txbOutput->setObjectName("txbOutput");
    m_txbOutput->setReadOnly(true);
    m_txbOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txbOutput->setFont(FixedFont());
    m_txbOutput->setMinimumHeight(180);
    outer->addWidget(m_txbOutput, 1);

    setCentralWidget(central);
    // The window never gets smaller than its controls need (3400 twips at the least).
    setMinimumHeight(TwipsToPixels(3400));
}

void frmMain::ConnectControls() {
    auto source = [this](QRadioButton* opt, SourceKind kind) {
        connect(opt, &QRadioButton::clicked, this, [this, kind] {
            if (!m_updating && m_state.blnStartUpCompleted)
                OnSourceChosen(kind);
        });
    };
    source(m_optOnClipboard, SourceKind::OnClipboard);
    source(m_optInFile, SourceKind::InFile);
    source(m_optFolder, SourceKind::Folder);

    connect(m_cmdFile[0], &QPushButton::clicked, this, &frmMain::OnChooseInputFile);
    connect(m_cmdFile[1], &QPushButton::clicked, this, &frmMain::OnChooseOutputFile);
    connect(m_cmdFolder, &QPushButton::clicked, this, &frmMain::OnChooseFolder);

    connect(m_txbFile[0], &QLineEdit::textEdited, this, [this](const QString& t) {
        m_settings.File[0] = U(t);
        m_state.blnWordsGot = false;
        m_lblFilesize->clear();
        m_lblXMLsize->clear();
    });
    connect(m_txbFile[1], &QLineEdit::textEdited, this, [this](const QString& t) {
        m_settings.File[1] = U(t);
        if (TrimSpaces(m_settings.File[1]).empty())
            m_settings.DisableOutputToFile = 0;
        RecordToControls();
        EnableControlsForSource();
    });
    connect(m_txbFolder, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_settings.Folder = U(t);
        m_state.blnWordsGot = false;
    });
    for (int i = 0; i < 2; ++i)
        connect(m_txbFileFilepathSpecifications[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { m_settings.FileFilepathSpecifications[i] = U(t); });

    connect(m_cmdClearFile[0], &QPushButton::clicked, this, [this] {
        m_settings.File[0].clear();
        m_keptFile.clear();
        m_lblFilesize->clear();
        m_lblXMLsize->clear();
        RecordToControls();
        Refresh();
    });
    connect(m_cmdClearFile[1], &QPushButton::clicked, this, [this] {
        ClearOutputFile(m_settings);
        RecordToControls();
        EnableControlsForSource();
        Refresh();
    });
    connect(m_cmdClearFolder, &QPushButton::clicked, this, [this] {
        m_settings.Folder.clear();
        m_keptFolder.clear();
        m_state.blnWordsGot = false;
        RecordToControls();
        Refresh();
    });

    auto checkBox = [this](QCheckBox* box, int Settings::*field, auto after) {
        connect(box, &QCheckBox::clicked, this, [this, box, field, after](bool) {
            if (m_updating)
                return;
            m_settings.*field = box->isChecked() ? 1 : 0;
            after();
        });
    };
    checkBox(m_chkIncludeSubfolders, &Settings::IncludeSubfolders,
             [this] { m_state.blnWordsGot = false; });
    checkBox(m_chkSuppressWords, &Settings::SuppressWords, [] {});
    checkBox(m_chkSuppressFilenames, &Settings::SuppressFilenames, [] {});
    checkBox(m_chkDisableOutputToFile, &Settings::DisableOutputToFile, [this] {
        if (m_state.blnStartUpCompleted)
            OnDisableOutputToFileClick(m_session->ctx);
        RecordToControls();
    });
    checkBox(m_chkDisplayRelativeFrequency, &Settings::DisplayRelativeFrequency,
             [this] { OnReportOption(static_cast<int>(ReportOption::DisplayRelativeFrequency)); });
    checkBox(m_chkSortByNumberOfFiles, &Settings::SortByNumberOfFiles,
             [this] { OnReportOption(static_cast<int>(ReportOption::SortByNumberOfFiles)); });

    connect(m_cboWordOrder, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_updating)
            return;
        m_settings.WordOrder = i;
        OnReportOption(static_cast<int>(ReportOption::WordOrder));
    });
    connect(m_cboDisplayFormat, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_updating)
            return;
        m_settings.DisplayFormat = i;
        OnReportOption(static_cast<int>(ReportOption::DisplayFormat));
    });

    connect(m_cmdCountWords, &QPushButton::clicked, this, &frmMain::OnCountWords);
    connect(m_cmdListFiles, &QPushButton::clicked, this, &frmMain::OnListFiles);
    connect(m_cmdClearOutput, &QPushButton::clicked, this,
            [this] { m_session->textWindow.ClearOutput(); });
    connect(m_cmdSaveState, &QPushButton::clicked, this, &frmMain::OnSaveState);
    connect(m_cmdQuit, &QPushButton::clicked, this, &QWidget::close);
}

void frmMain::FillLists() {
    SettingsLists lists;
    SetUpLists(lists, m_settings);
    m_updating = true;
    m_cboWordOrder->clear();
    for (const auto& e : lists.WordOrder)
        m_cboWordOrder->addItem(Q(e));
    m_cboDisplayFormat->clear();
    for (const auto& e : lists.DisplayFormat)
        m_cboDisplayFormat->addItem(Q(e));
    m_updating = false;
}

void frmMain::StartUp() {
    m_state.blnStartUpCompleted = false;
    if (m_stateFile.empty()) {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        m_stateFile = DefaultStateFilePath(fs::path(config.toStdU16String()));
    }

    const fs::path path(m_catalogueFile.toStdU16String());
    m_catalogueResult = LoadProgramTexts(path);
    if (!m_catalogueResult.Loaded())
        m_host->MessageBox(CatalogueLoadMessage(m_catalogueResult, path), u"", MsgIcon::Critical);

    FillLists();
    m_lblSelectSource->setText(Q(GetText(TextId::SourceOfText)));
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QComboBox*>(w))
            if (w != m_lblTwirler)
                w->setFont(GeneralFont());
    }
    QFont bold = m_cmdCountWords->font();
    bold.setBold(true);
    m_cmdCountWords->setFont(bold);

    InitializeRecord(m_settings, m_state);
    // The questions of the restore and the first run appear over a window that already shows
    // the reset settings.
    RecordToControls();
    EnableDisableButtons(true);
    if (m_restoreAtStartUp) {
        Restore actions(*this);
        const RestoreOutcome outcome =
            RestoreSavedState(fs::path(), m_stateFile, m_settings, m_state, *m_host, actions);
        if (outcome.code == kRestoreReadError)
            m_lastStateError = outcome.errorText;
        HandleStartUpRestoreResult(outcome, m_settings, m_state, *m_host, actions);
        // A first run (no words-to-ignore file yet) offers the common words.
        m_session->wordLists.FirstRun();
    }
    ApplyFieldDependencies(m_settings);
    m_keptFile = m_settings.File[0];
    m_keptFolder = m_settings.Folder;
    if (!TrimSpaces(m_settings.File[0]).empty())
        ShowSingleFileDetails();

    RecordToControls();
    EnableDisableButtons(true);
    m_refreshTimer.start();
    m_runTimer.start();
    m_state.blnStartUpCompleted = true;
    Refresh();
}

void frmMain::RecordToControls() {
    m_updating = true;
    m_optOnClipboard->setChecked(m_settings.Source == SourceKind::OnClipboard);
    m_optInFile->setChecked(m_settings.Source == SourceKind::InFile);
    m_optFolder->setChecked(m_settings.Source == SourceKind::Folder);
    auto setText = [](QLineEdit* e, const std::u16string& t) {
        const QString q = Q(t);
        if (e->text() != q)
            e->setText(q);
    };
    setText(m_txbFile[0], m_settings.File[0]);
    setText(m_txbFile[1], m_settings.File[1]);
    setText(m_txbFolder, m_settings.Folder);
    setText(m_txbFileFilepathSpecifications[0], m_settings.FileFilepathSpecifications[0]);
    setText(m_txbFileFilepathSpecifications[1], m_settings.FileFilepathSpecifications[1]);
    m_chkIncludeSubfolders->setChecked(m_settings.IncludeSubfolders == 1);
    m_chkDisableOutputToFile->setChecked(m_settings.DisableOutputToFile == 1);
    m_chkSuppressWords->setChecked(m_settings.SuppressWords == 1);
    m_chkSuppressFilenames->setChecked(m_settings.SuppressFilenames == 1);
    m_chkDisplayRelativeFrequency->setChecked(m_settings.DisplayRelativeFrequency == 1);
    m_chkSortByNumberOfFiles->setChecked(m_settings.SortByNumberOfFiles == 1);
    m_cboWordOrder->setCurrentIndex(m_settings.WordOrder);
    m_cboDisplayFormat->setCurrentIndex(m_settings.DisplayFormat);
    if (!m_session->run.IsRunning()) {
        m_chkDisplayRelativeFrequency->setEnabled(CanChangeDisplayRelativeFrequency(m_settings));
        m_chkSortByNumberOfFiles->setEnabled(CanChangeSortByNumberOfFiles(m_settings));
        m_chkDisableOutputToFile->setEnabled(!TrimSpaces(m_settings.File[1]).empty());
    }
    m_updating = false;
}

bool frmMain::Ready() const {
    switch (m_settings.Source) {
    case SourceKind::OnClipboard:
        return true;
    case SourceKind::InFile:
        return !TrimSpaces(m_settings.File[0]).empty();
    case SourceKind::Folder:
        return !TrimSpaces(m_settings.Folder).empty();
    }
    return false;
}

void frmMain::EnableControlsForSource() {
    const bool file = m_settings.Source == SourceKind::InFile;
    const bool folder = m_settings.Source == SourceKind::Folder;
    for (QWidget* w : {static_cast<QWidget*>(m_cmdFile[0]), static_cast<QWidget*>(m_txbFile[0]),
                       static_cast<QWidget*>(m_cmdClearFile[0])})
        w->setEnabled(file);
    for (QWidget* w :
         {static_cast<QWidget*>(m_cmdFolder), static_cast<QWidget*>(m_txbFolder),
          static_cast<QWidget*>(m_cmdClearFolder), static_cast<QWidget*>(m_chkIncludeSubfolders),
          static_cast<QWidget*>(m_lblScanOnlyFiles), static_cast<QWidget*>(m_lblExcludeFilepaths),
          static_cast<QWidget*>(m_txbFileFilepathSpecifications[0]),
          static_cast<QWidget*>(m_txbFileFilepathSpecifications[1]),
          static_cast<QWidget*>(m_cmdListFiles)})
        w->setEnabled(folder);
    m_cmdFile[1]->setEnabled(true);
    m_txbFile[1]->setEnabled(true);
    m_cmdClearFile[1]->setEnabled(true);
    m_chkDisableOutputToFile->setEnabled(!TrimSpaces(m_settings.File[1]).empty());
    m_lblFilesize->setVisible(true);
    m_lblXMLsize->setVisible(true);
    SetCountWordsCaption();
    SetTheFocus();
}

void frmMain::EnableDisableButtons(bool enable) {
    if (!enable) {
        // Nothing that could change a setting may be used while a count runs; the count
        // button (now the Stop request), Quit and "Don't display words" stay.
        // Only the window's own controls: its dialogs are children too.
        for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
            if (w == m_cmdCountWords || w == m_cmdQuit || w == m_chkSuppressWords ||
                w == m_txbOutput || w->parentWidget() == m_txbOutput || qobject_cast<QLabel*>(w) ||
                qobject_cast<QGroupBox*>(w))
                continue;
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                qobject_cast<QComboBox*>(w))
                w->setEnabled(false);
        }
        return;
    }
    for (QWidget* w :
         {static_cast<QWidget*>(m_optOnClipboard), static_cast<QWidget*>(m_optInFile),
          static_cast<QWidget*>(m_optFolder), static_cast<QWidget*>(m_chkSuppressFilenames),
          static_cast<QWidget*>(m_cboWordOrder), static_cast<QWidget*>(m_cboDisplayFormat),
          static_cast<QWidget*>(m_cmdClearOutput), static_cast<QWidget*>(m_cmdSaveState)})
        w->setEnabled(true);
    m_chkDisplayRelativeFrequency->setEnabled(CanChangeDisplayRelativeFrequency(m_settings));
    m_chkSortByNumberOfFiles->setEnabled(CanChangeSortByNumberOfFiles(m_settings));
    EnableControlsForSource();
}

void frmMain::SetCountWordsCaption() {
    m_state.blnThereAreCountOnlyWords =
        m_state.lngNumCountOnlyWords >= 1 || m_state.intNumExtraCountOnlyWords >= 1;
    if (!m_session->run.IsRunning())
        m_cmdCountWords->setText(Q(GetText(TextId::CountWordsPhrases)));
}

void frmMain::SetTheFocus() {
    if (!isVisible() || m_session->run.IsRunning())
        return;
    if (Ready()) {
        m_cmdCountWords->setFocus();
        return;
    }
    if (m_settings.Source == SourceKind::InFile)
        m_cmdFile[0]->setFocus();
    else if (m_settings.Source == SourceKind::Folder)
        m_cmdFolder->setFocus();
}

void frmMain::OnSourceChosen(SourceKind kind) {
    if (kind == m_settings.Source) {
        EnableControlsForSource();
        return;
    }
    m_state.blnWordsGot = false;
    // A folder run shows the file being read in the input-file box, so each source keeps
    // its own copy of the other's text.
    switch (kind) {
    case SourceKind::OnClipboard:
        if (m_settings.Source == SourceKind::InFile)
            m_keptFile = m_settings.File[0];
        if (m_settings.Source == SourceKind::Folder)
            m_keptFolder = m_settings.Folder;
        break;
    case SourceKind::InFile:
        if (m_settings.Source == SourceKind::Folder)
            m_keptFolder = m_settings.Folder;
        m_settings.File[0] = m_keptFile;
        break;
    case SourceKind::Folder:
        if (m_settings.Source == SourceKind::InFile)
            m_keptFile = m_settings.File[0];
        m_settings.Folder = m_keptFolder;
        break;
    }
    m_settings.Source = kind;
    ApplyFieldDependencies(m_settings);
    RecordToControls();
    EnableControlsForSource();
    Refresh();
}

void frmMain::ShowSingleFileDetails() {
    const fs::path file = PathFromText(TrimSpaces(m_settings.File[0]));
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec) {
        m_lblFilesize->clear();
        m_lblXMLsize->clear();
        return;
    }
    const auto bytes = static_cast<std::int64_t>(size);
    m_host->SetLabel("lblFilesize", u"Filesize: " + SizeTextA(bytes, m_session->ctx.locale));
    // A docx document's text is known only once it has been extracted.
    m_host->SetLabel("lblXMLsize", IsDocx(file)
                                       ? std::u16string()
                                       : u"Text: " + SizeTextA(bytes, m_session->ctx.locale));
}

void frmMain::OnChooseInputFile() {
    const auto chosen =
        m_host->ChooseOpenFile(GetText(TextId::SelectInputFileTitle),
                               u"A text file or a docx file (*)", TrimSpaces(m_settings.File[0]));
    if (!chosen)
        return;
    m_settings.File[0] = *chosen;
    m_keptFile = *chosen;
    m_state.blnWordsGot = false;
    RecordToControls();
    ShowSingleFileDetails();
    Refresh();
    SetTheFocus();
}

void frmMain::OnChooseFolder() {
    const auto chosen =
        m_host->ChooseFolder(GetText(TextId::SelectFolderTitle), TrimSpaces(m_settings.Folder));
    if (!chosen)
        return;
    m_settings.Folder = *chosen;
    m_keptFolder = *chosen;
    m_state.blnWordsGot = false;
    EraseNumWords(*m_host);
    m_lblTimeElapsed->clear();
    // A new folder switches output to the file off until the person asks for it again.
    m_settings.DisableOutputToFile = 1;
    RecordToControls();
    Refresh();
    SetTheFocus();
}

void frmMain::OnChooseOutputFile() {
    ChooseOutputFile(m_session->ctx);
    RecordToControls();
    EnableControlsForSource();
    Refresh();
}

void frmMain::OnCountWords() {
    if (m_session->run.IsRunning()) {
        m_session->run.RequestStop();
        return;
    }
    if (!m_countChoice) {
        m_countChoice = new frmCountWordsPhrases(m_settings, m_state, *m_host, this);
        m_countChoice->displayFormatChanged = [this] { RecordToControls(); };
    }
    m_countChoice->Choose();
    RecordToControls();
    CountMode mode;
    if (m_countChoice->blnCountAllWords())
        mode = CountMode::AllWords;
    else if (m_countChoice->blnCountSpecifiedWordsPhrases())
        mode = CountMode::SpecifiedWords;
    else
        return;
    m_session->Count(mode);
    RecordToControls();
    EnableDisableButtons(true);
    Refresh();
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void frmMain::OnListFiles() {
    if (m_session->run.IsRunning())
        return;
    m_session->ListFiles();
    RecordToControls();
    EnableDisableButtons(true);
}

void frmMain::OnSaveState() {
    SaveSettingsToDefault(m_settings, m_stateFile, *m_host, "cmdSaveState");
}

void frmMain::OnReportOption(int option) {
    if (!m_state.blnStartUpCompleted || m_session->run.IsRunning())
        return;
    const auto which = static_cast<ReportOption>(option);
    ApplyFieldDependencies(m_settings);
    OnReportOptionChanged(m_session->ctx, which);
    // The listing may have put a format back or unchecked an option that no longer applies.
    RecordToControls();
}

void frmMain::Refresh() {
    if (!m_state.blnStartUpCompleted)
        return;

    // The output box's tool tip: long phrases may need a wider window.
    const int charWidth = QFontMetrics(m_txbOutput->font()).horizontalAdvance(QLatin1Char('M'));
    const int needed =
        (m_session->report.intWordWidth + m_state.intRankWidth + m_state.intFreqWidth + 4) *
        charWidth;
    m_txbOutput->setToolTip(m_state.intNumWordsInLongestPhrase >= 8 &&
                                    m_txbOutput->viewport()->width() < needed
                                ? QStringLiteral("You may need to increase the width.")
                                : QString());

    if (m_session->run.IsRunning() && !m_state.blnStop) {
        const QString caption = Q(GetText(m_session->table.Size() >= kStopQuestionEntries + 1
                                              ? TextId::StopCountingManyFound
                                              : TextId::StopCounting));
        if (m_cmdCountWords->text() != caption)
            m_cmdCountWords->setText(caption);
    }
    if (m_cmdCountWords->text().contains(QStringLiteral("stop"), Qt::CaseInsensitive))
        return;

    m_cmdClearFile[0]->setEnabled(m_settings.Source == SourceKind::InFile &&
                                  !m_txbFile[0]->text().isEmpty());
    m_cmdClearFile[1]->setEnabled(!m_txbFile[1]->text().isEmpty());
    m_cmdClearFolder->setEnabled(m_settings.Source == SourceKind::Folder &&
                                 !m_txbFolder->text().isEmpty());

    m_txbFile[0]->setToolTip(m_txbFile[0]->text().isEmpty() ? kInputFileTip : m_txbFile[0]->text());
    m_txbFile[1]->setToolTip(m_txbFile[1]->text().isEmpty() ? kOutputFileTip
                                                            : m_txbFile[1]->text());
    m_txbFolder->setToolTip(m_txbFolder->text().isEmpty() ? kFolderTip : m_txbFolder->text());

    const bool folder = m_settings.Source == SourceKind::Folder;
    m_lblExcludeFilepaths->setVisible(folder);
    m_txbFileFilepathSpecifications[1]->setVisible(folder);

    m_cmdFile[0]->setToolTip(
        TrimSpaces(m_settings.File[0]).empty()
            ? QStringLiteral("Click on the 'Single file' button to specify an input file.")
            : QString());
    m_cmdFolder->setToolTip(
        TrimSpaces(m_settings.Folder).empty()
            ? QStringLiteral("Click on the 'Folder' button to specify a folder with input files.")
            : QString());
}

void frmMain::SetLabelFont(const std::string& label, const std::u16string& font, int points) {
    auto* l = findChild<QLabel*>(QString::fromStdString(label));
    if (!l)
        return;
    l->setFont(font == u"Courier New" ? FixedFont(points) : GeneralFont(points));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_session->run.IsRunning()) {
        // The run is still on the stack below this handler: ask it to stop, and quit once
        // it has unwound (unless the person declined to stop).
        if (m_session->run.RequestStop())
            m_closeAfterRun = true;
        event->ignore();
        return;
    }
    if (m_state.blnStartUpCompleted && m_settings.SaveStateOnQuit == 1)
        OnSaveState();
    RemoveDocxTemporaryFolders();
    event->accept();
}

} // namespace lxty::app
