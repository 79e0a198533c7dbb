#include "app/frmMain.h"

#include "app/AppFonts.h"
#include "app/FieldBinder.h"
#include "app/QtText.h"
#include "app/Shell.h"
#include "app/WindowBuilder.h"
#include "app/frmAbout.h"
#include "app/frmClipboardViewer.h"
#include "app/frmCountAllPhrases.h"
#include "app/frmCountArray.h"
#include "app/frmCountWordsPhrases.h"
#include "app/frmParams.h"
#include "app/frmPopUp.h"
#include "app/frmResults.h"
#include "reports/OutputFile.h"
#include "run/CountChoice.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsLists.h"
#include "sources/Docx.h"
#include "sources/FilePatterns.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/StringUtils.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lxty::app {

namespace fs = std::filesystem;

namespace {

const QString kInputFileTip =
    QStringLiteral("To specify an input file click on the button labelled 'Single file'.");
const QString kOutputFileTip =
    QStringLiteral("To specify an output file click on the button labelled 'Output file'.");
const QString kFolderTip =
    QStringLiteral("To specify a folder click on the button labelled 'Folder'.");

// A label that shows a long text shortened in its middle instead of asking for its width.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect r = contentsRect();
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
    }
};

// The common-word files lie beside the numbered texts, in the program's folder.
fs::path ProgramFolderOf(const QString& catalogueFile) {
    return fs::path(QFileInfo(catalogueFile).absolutePath().toStdU16String());
}

} // namespace

// What the window does while a saved state is applied.
// Word-list files the person agrees to load are read by the session's word lists.
class frmMain::Restore : public WordListRestoreActions {
public:
    explicit Restore(frmMain& w, bool restoring = false)
        : WordListRestoreActions(w.m_session->wordLists, restoring), m_w(w) {}
    void ShowSingleFileDetails(Settings&) override { m_w.ShowSingleFileDetails(); }
    // The pattern lists are rebuilt at the start of every run; the box shows the text read.
    void ApplyFilePatterns(Settings&, int) override { m_w.RecordToControls(); }
    void ApplyFolder(Settings&) override {
        m_w.m_state.blnWordsGot = false;
        m_w.RecordToControls();
    }
    void SetToolTipText(const Settings&) override {
        if (m_w.m_params)
            m_w.m_params->SetToolTipText();
    }
    void Initialize(Settings& s, RunState& run, Host& host) override {
        RestoreActions::Initialize(s, run, host);
        m_w.AfterInitialize();
    }

private:
    frmMain& m_w;
};

frmMain::frmMain(const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_catalogueFile(catalogueFile), m_host(std::make_unique<QtHost>(this)),
      m_session(std::make_unique<CountSession>(*m_host, ProgramFolderOf(catalogueFile))),
      m_settings(m_session->settings), m_state(m_session->state) {
    setObjectName("frmMain");
    setWindowTitle("Lexitally");
    BuildControls();
    m_binder = new FieldBinder(m_settings, this);
    m_binder->changed = [this](const SettingsField& f, int previous) {
        OnFieldChanged(f.name, previous);
    };
    connect(this, &frmMain::recordChanged, this, &frmMain::ShowRecord);
    m_host->SetTextWindow(m_txbOutput);
    m_session->onEnableDisableButtons = [this](bool enable) { EnableDisableButtons(enable); };
    m_session->onSetLabelFont = [this](const std::string& label, const std::u16string& font,
                                       int points) { SetLabelFont(label, font, points); };
    m_session->onOpenSettingsWindow = [this] { ShowSettingsWindow(); };
    // A word list that changes updates the count button and the result figure.
    m_session->listEngine.onCountWordsCaption = [this] { SetCountWordsCaption(); };
    m_session->listEngine.onClearResultFigure = [this] { m_lblNumberOfWords->clear(); };
    ConnectControls();
    BuildResults();

    m_refreshTimer.setInterval(1000);
    connect(&m_refreshTimer, &QTimer::timeout, this, &frmMain::Refresh);
    m_runTimer.setInterval(1000);
    // A question waiting for its answer is no time spent counting.
    connect(&m_runTimer, &QTimer::timeout, this, [this] {
        if (!m_host->Waiting())
            m_session->run.TimerTick();
    });
    resize(1000, 720);
}

void frmMain::CentreOnScreen() {
    QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    centralWidget()->layout()->activate();
    resize(size().boundedTo(available.size()).expandedTo(minimumSizeHint()));
    QRect frame = frameGeometry();
    frame.moveCenter(available.center());
    move(frame.topLeft());
}

frmMain::~frmMain() = default;

void frmMain::BuildControls() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildSourceFrame(central), 3);
    top->addWidget(BuildDisplayFrame(central), 2);
    outer->addLayout(top);
    outer->addWidget(BuildOutputFrame(central));
    outer->addLayout(BuildCommands(central));
    outer->addLayout(BuildFigures(central));

    m_txbOutput = Make<QPlainTextEdit>(central, "txbOutput");
    m_txbOutput->setReadOnly(true);
    m_txbOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txbOutput->setFont(FixedFont());
    m_txbOutput->setMinimumHeight(180);
    outer->addWidget(m_txbOutput, 1);

    setCentralWidget(central);
    // The window never gets smaller than its controls need, which is more than 3400 twips
    // high: the layout's own minimum keeps the groups from overlapping.
}

QGroupBox* frmMain::BuildSourceFrame(QWidget* central) {
    m_fraSource = Make<QGroupBox>(central, "fraSource");
    m_fraSource->setTitle(QStringLiteral("Source"));
    // Rows of their own grids: the file boxes take what the buttons leave, the pattern boxes
    // what their labels leave, and the group stays narrow enough to fit a 1,024-pixel screen
    // beside the display options.
    auto* src = new QVBoxLayout(m_fraSource);
    auto* files = new QGridLayout;
    auto* patterns = new QGridLayout;
    m_lblSelectSource = Make<QLabel>(m_fraSource, "lblSelectSource");
    m_optOnClipboard =
        Make<QRadioButton>(m_fraSource, "optOnClipboard", QStringLiteral("Clipboard"));
    m_optInFile = Make<QRadioButton>(m_fraSource, "optInFile", QStringLiteral("Single file"));
    m_optFolder = Make<QRadioButton>(m_fraSource, "optFolder", QStringLiteral("Folder"));
    auto* opts = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(m_lblSelectSource), static_cast<QWidget*>(m_optOnClipboard),
          static_cast<QWidget*>(m_optInFile), static_cast<QWidget*>(m_optFolder)})
        opts->addWidget(w);
    opts->addStretch(1);
    src->addLayout(opts);

    m_cmdFile[0] = Make<QPushButton>(m_fraSource, "cmdFile0", QStringLiteral("Single file"));
    m_txbFile[0] = Make<QLineEdit>(m_fraSource, "txbFile0");
    m_txbFile[0]->setAccessibleName(QStringLiteral("Input file"));
    m_cmdClearFile[0] = Make<QPushButton>(m_fraSource, "cmdClearFile0", QStringLiteral("Clear"));
    m_cmdFolder = Make<QPushButton>(m_fraSource, "cmdFolder", QStringLiteral("Folder"));
    m_txbFolder = Make<QLineEdit>(m_fraSource, "txbFolder");
    m_txbFolder->setAccessibleName(QStringLiteral("Folder to scan"));
    m_cmdClearFolder = Make<QPushButton>(m_fraSource, "cmdClearFolder", QStringLiteral("Clear"));
    for (int row : {1, 2}) {
        files->addWidget(row == 1 ? m_cmdFile[0] : m_cmdFolder, row, 0);
        files->addWidget(row == 1 ? static_cast<QWidget*>(m_txbFile[0]) : m_txbFolder, row, 1);
        files->addWidget(row == 1 ? m_cmdClearFile[0] : m_cmdClearFolder, row, 2);
    }
    files->setColumnStretch(1, 1);
    src->addLayout(files);

    m_chkIncludeSubfolders =
        Make<QCheckBox>(m_fraSource, "chkIncludeSubfolders", QStringLiteral("Include subfolders"));
    m_cmdListFiles =
        Make<QPushButton>(m_fraSource, "cmdListFiles", QStringLiteral("List files to be scanned"));
    auto* folderOpts = new QHBoxLayout;
    folderOpts->addWidget(m_chkIncludeSubfolders);
    folderOpts->addStretch(1);
    folderOpts->addWidget(m_cmdListFiles);
    src->addLayout(folderOpts);

    m_lblScanOnlyFiles = Make<QLabel>(m_fraSource, "lblScanOnlyFiles",
                                      QStringLiteral("Scan files matching patterns:"));
    m_lblExcludeFilepaths = Make<QLabel>(m_fraSource, "lblExcludeFilepaths",
                                         QStringLiteral("Exclude filepaths containing text:"));
    m_txbFileFilepathSpecifications[0] =
        Make<QLineEdit>(m_fraSource, "txbFileFilepathSpecifications0");
    m_txbFileFilepathSpecifications[1] =
        Make<QLineEdit>(m_fraSource, "txbFileFilepathSpecifications1");
    for (int i = 0; i < 2; ++i) {
        QLabel* l = i == 0 ? m_lblScanOnlyFiles : m_lblExcludeFilepaths;
        l->setBuddy(m_txbFileFilepathSpecifications[i]);
        m_txbFileFilepathSpecifications[i]->setAccessibleName(l->text());
        patterns->addWidget(l, i, 0);
        patterns->addWidget(m_txbFileFilepathSpecifications[i], i, 1);
        // The exclusions show for a folder source only; their row keeps its place, so the
        // controls below do not move when the source changes.
        for (QWidget* w : {static_cast<QWidget*>(l),
                           static_cast<QWidget*>(m_txbFileFilepathSpecifications[i])}) {
            QSizePolicy policy = w->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            w->setSizePolicy(policy);
        }
    }
    patterns->setColumnStretch(1, 1);
    src->addLayout(patterns);
    src->addStretch(1);
    return m_fraSource;
}

QGroupBox* frmMain::BuildDisplayFrame(QWidget* central) {
    m_fraDisplay = Make<QGroupBox>(central, "fraDisplay");
    m_fraDisplay->setTitle(QStringLiteral("Display"));
    auto* disp = new QGridLayout(m_fraDisplay);
    m_chkSuppressWords = Make<QCheckBox>(m_fraDisplay, "chkSuppressWords",
                                         QStringLiteral("Don't display words as found."));
    m_chkSuppressWords->setToolTip(QStringLiteral("Check this box for faster processing."));
    m_chkSuppressFilenames = Make<QCheckBox>(m_fraDisplay, "chkSuppressFilenames",
                                             QStringLiteral("Don't display filenames"));
    m_lblWordOrder = Make<QLabel>(m_fraDisplay, "lblWordOrder", QStringLiteral("Order:"));
    m_cboWordOrder = Make<QComboBox>(m_fraDisplay, "cboWordOrder");
    m_lblDisplayFormat = Make<QLabel>(m_fraDisplay, "lblDisplayFormat", QStringLiteral("Format:"));
    m_cboDisplayFormat = Make<QComboBox>(m_fraDisplay, "cboDisplayFormat");
    // Wide enough for the longest format: a list that cuts its entries hides the choice.
    m_cboDisplayFormat->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cboWordOrder->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_lblWordOrder->setBuddy(m_cboWordOrder);
    m_lblDisplayFormat->setBuddy(m_cboDisplayFormat);
    m_cboWordOrder->setAccessibleName(QStringLiteral("Order"));
    m_cboDisplayFormat->setAccessibleName(QStringLiteral("Format"));
    m_chkDisplayRelativeFrequency =
        Make<QCheckBox>(m_fraDisplay, "chkDisplayRelativeFrequency",
                        QStringLiteral("Display relative frequency instead of absolute frequency"));
    m_chkDisplayRelativeFrequency->setToolTip(Q(kRelativeFrequencyToolTip));
    m_chkSortByNumberOfFiles =
        Make<QCheckBox>(m_fraDisplay, "chkSortByNumberOfFiles",
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
    return m_fraDisplay;
}

QGroupBox* frmMain::BuildOutputFrame(QWidget* central) {
    m_fraOutput = Make<QGroupBox>(central, "fraOutput");
    m_fraOutput->setTitle(QStringLiteral("Output"));
    auto* out = new QHBoxLayout(m_fraOutput);
    m_cmdFile[1] = Make<QPushButton>(m_fraOutput, "cmdFile1", QStringLiteral("Output file"));
    m_cmdFile[1]->setToolTip(
        QStringLiteral("To specify an output file click on the button labelled 'Output file'"));
    m_txbFile[1] = Make<QLineEdit>(m_fraOutput, "txbFile1");
    m_txbFile[1]->setAccessibleName(QStringLiteral("Output file"));
    m_cmdClearFile[1] = Make<QPushButton>(m_fraOutput, "cmdClearFile1", QStringLiteral("Clear"));
    m_chkDisableOutputToFile =
        Make<QCheckBox>(m_fraOutput, "chkDisableOutputToFile", QStringLiteral("Disable"));
    m_chkDisableOutputToFile->setToolTip(QStringLiteral("Disable output to file"));
    out->addWidget(m_cmdFile[1]);
    out->addWidget(m_txbFile[1], 1);
    out->addWidget(m_cmdClearFile[1]);
    out->addWidget(m_chkDisableOutputToFile);
    return m_fraOutput;
}

QVBoxLayout* frmMain::BuildCommands(QWidget* central) {
    m_cmdCountWords =
        Make<QPushButton>(central, "cmdCountWords", QStringLiteral("Count words/phrases"));
    m_cmdCountWords->setToolTip(QStringLiteral("Count all words or count specified words/phrases"));
    m_cmdCountWords->setMinimumWidth(220);
    m_cmdCountAllPhrases =
        Make<QPushButton>(central, "cmdCountAllPhrases", QStringLiteral("Count all phrases"));
    m_cmdCountAllPhrases->setToolTip(
        QStringLiteral("Count all phrases with a specified number of words"));
    m_cmdCountArray = Make<QPushButton>(central, "cmdCountArray",
                                        QStringLiteral("Make 2-d count array for Excel"));
    m_cmdSetParameters = Make<QPushButton>(central, "cmdSetParameters", QStringLiteral("Settings"));
    m_cmdSetParameters->setToolTip(QStringLiteral("Define what counts as a word, specify words to "
                                                  "ignore and words/phrases to count"));
    m_cmdClipboardViewer =
        Make<QPushButton>(central, "cmdClipboardViewer", QStringLiteral("View clipboard"));
    m_cmdHelp = Make<QPushButton>(central, "cmdHelp", QStringLiteral("Help"));
    m_cmdClearOutput =
        Make<QPushButton>(central, "cmdClearOutput", QStringLiteral("Clear textbox"));
    m_cmdSaveState = Make<QPushButton>(central, "cmdSaveState", QStringLiteral("Save settings"));
    m_cmdQuit = Make<QPushButton>(central, "cmdQuit", QStringLiteral("Quit"));
    // The two links: Tab reaches them, Enter or a click opens them.
    auto link = [central](const char* name, const QString& caption) {
        QLabel* l = Make<QLabel>(central, name, caption);
        l->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(caption));
        l->setTextFormat(Qt::RichText);
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        l->setFocusPolicy(Qt::StrongFocus);
        return l;
    };
    m_lblOnlineDocumentation = link("lblOnlineDocumentation", QStringLiteral("Online user manual"));
    m_lblTarnwellSystems = link("lblTarnwellSystems", QStringLiteral("Tarnwell Systems"));
    m_lblTarnwellSystems->setToolTip(QStringLiteral("About Lexitally"));
    // Shown for a folder source only; its place is kept, so nothing moves when it comes and goes.
    QSizePolicy keep = m_cmdCountArray->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_cmdCountArray->setSizePolicy(keep);

    auto* counts = new QHBoxLayout;
    for (QWidget* w : {m_cmdCountWords, m_cmdCountAllPhrases, m_cmdSetParameters, m_cmdCountArray})
        counts->addWidget(w);
    counts->addStretch(1);
    auto* others = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(m_cmdClipboardViewer), static_cast<QWidget*>(m_cmdHelp),
          static_cast<QWidget*>(m_lblOnlineDocumentation),
          static_cast<QWidget*>(m_lblTarnwellSystems)})
        others->addWidget(w);
    others->addStretch(1);
    for (QWidget* w : {m_cmdClearOutput, m_cmdSaveState, m_cmdQuit})
        others->addWidget(w);
    auto* cmds = new QVBoxLayout;
    cmds->addLayout(counts);
    cmds->addLayout(others);
    return cmds;
}

QGridLayout* frmMain::BuildFigures(QWidget* central) {
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(16);
    figures->setVerticalSpacing(2);
    // A folder run shows the path of each file here: a long path is shortened in its middle
    // rather than widening the window; its whole text stays the label's (and the reader's).
    m_lblFile = Make<ElidingLabel>(central, "lblFile");
    m_lblFilesize = Make<QLabel>(central, "lblFilesize");
    m_lblXMLsize = Make<QLabel>(central, "lblXMLsize");
    m_lblTimeElapsed = Make<QLabel>(central, "lblTimeElapsed");
    m_lblNumberOfWords = Make<QLabel>(central, "lblNumberOfWords");
    m_lblNumWordsExcluded = Make<QLabel>(central, "lblNumWordsExcluded");
    m_lblNumOccurrences = Make<QLabel>(central, "lblNumOccurrences");
    m_lblTotalNumOccurrences = Make<QLabel>(central, "lblTotalNumOccurrences");
    m_lblTwirler = Make<QLabel>(central, "lblTwirler", QStringLiteral(" "));
    m_lblTwirler->setFont(FixedFont());
    m_lblTwirler->setFixedWidth(QFontMetrics(m_lblTwirler->font()).horizontalAdvance('W') + 4);
    // A figure that is cut is a wrong figure: the figure labels never get narrower than
    // their text, and each column starts wide enough for its longest text with a large
    // figure, so the window does not grow while a count runs.
    const QString widest[2] = {
        QStringLiteral("Number of instances of words/phrases in this list: 999,999,999"),
        QStringLiteral("No. of words ignored (other than words-to-ignore): 999,999,999")};
    for (QLabel* l : {m_lblFile, m_lblFilesize, m_lblXMLsize, m_lblTimeElapsed, m_lblNumberOfWords,
                      m_lblNumWordsExcluded, m_lblNumOccurrences, m_lblTotalNumOccurrences}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setFont(GeneralFont());
        l->setMinimumHeight(QFontMetrics(FixedFont()).height() + 2);
        // "Clear textbox" hides the result figures: their rows keep their place.
        QSizePolicy policy = l->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        l->setSizePolicy(policy);
    }
    // The label's own size hint with the widest text, which counts the glyphs' overhang too.
    auto holdWidest = [](QLabel* l, const QString& text) {
        const QString kept = l->text();
        l->setText(text);
        l->setMinimumWidth(l->sizeHint().width());
        l->setText(kept);
    };
    for (QLabel* l : {m_lblNumberOfWords, m_lblNumOccurrences})
        holdWidest(l, widest[0]);
    for (QLabel* l : {m_lblNumWordsExcluded, m_lblTotalNumOccurrences})
        holdWidest(l, widest[1]);
    figures->addWidget(m_lblFile, 0, 0, 1, 3);
    figures->addWidget(m_lblTwirler, 0, 3);
    figures->addWidget(m_lblFilesize, 1, 0);
    figures->addWidget(m_lblXMLsize, 1, 1);
    figures->addWidget(m_lblTimeElapsed, 1, 2, 1, 2);
    figures->addWidget(m_lblNumberOfWords, 2, 0);
    figures->addWidget(m_lblNumWordsExcluded, 2, 1, 1, 3);
    figures->addWidget(m_lblNumOccurrences, 3, 0);
    figures->addWidget(m_lblTotalNumOccurrences, 3, 1, 1, 3);
    for (int column = 0; column < 3; ++column)
        figures->setColumnStretch(column, 1);
    return figures;
}

void frmMain::ConnectControls() {
    connect(m_cmdFile[0], &QPushButton::clicked, this, &frmMain::OnChooseInputFile);
    connect(m_cmdFile[1], &QPushButton::clicked, this, &frmMain::OnChooseOutputFile);
    connect(m_cmdFolder, &QPushButton::clicked, this, &frmMain::OnChooseFolder);
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
    connect(m_cmdCountWords, &QPushButton::clicked, this, &frmMain::OnCountWords);
    connect(m_cmdSetParameters, &QPushButton::clicked, this, &frmMain::ShowSettingsWindow);
    connect(m_cmdListFiles, &QPushButton::clicked, this, &frmMain::OnListFiles);
    connect(m_cmdClearOutput, &QPushButton::clicked, this, &frmMain::OnClearOutput);
    connect(m_cmdSaveState, &QPushButton::clicked, this, &frmMain::OnSaveState);
    connect(m_cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmdCountAllPhrases, &QPushButton::clicked, this, &frmMain::OnCountAllPhrases);
    connect(m_cmdCountArray, &QPushButton::clicked, this, &frmMain::OnCountArray);
    connect(m_cmdClipboardViewer, &QPushButton::clicked, this, &frmMain::OnViewClipboard);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmMain::ShowHelp);
    connect(m_lblOnlineDocumentation, &QLabel::linkActivated, this,
            [this] { OpenWebLink(*m_host, ManualUrl(DataFolder()).toString()); });
    connect(m_lblTarnwellSystems, &QLabel::linkActivated, this, &frmMain::OnAbout);
    m_lblOnlineDocumentation->setToolTip(
        QStringLiteral("Click here for the online user manual at ") +
        ManualUrl(DataFolder()).toString());
    for (QWidget* w :
         {static_cast<QWidget*>(m_cmdHelp), static_cast<QWidget*>(m_cmdFile[1]),
          static_cast<QWidget*>(m_cmdCountWords), static_cast<QWidget*>(m_lblOnlineDocumentation),
          static_cast<QWidget*>(m_lblTarnwellSystems),
          static_cast<QWidget*>(m_txbFileFilepathSpecifications[0]),
          static_cast<QWidget*>(m_txbFileFilepathSpecifications[1]), m_txbOutput->viewport()})
        w->installEventFilter(this);
}

QString frmMain::DataFolder() const {
    return QFileInfo(m_catalogueFile).absolutePath();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 &&
            (watched == m_cmdHelp || watched == m_cmdFile[1] || watched == m_cmdCountWords)) {
            ShowHelp();
            return true;
        }
        const bool activate = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        if (activate && (watched == m_lblOnlineDocumentation || watched == m_lblTarnwellSystems)) {
            emit static_cast<QLabel*>(watched)->linkActivated(QStringLiteral("#"));
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a pattern box for another control of the program (not for another program's
        // window or a menu) checks what was typed.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            for (int i = 0; i < 2; ++i)
                if (watched == m_txbFileFilepathSpecifications[i])
                    OnPatternBoxLeft(i);
    } else if (watched == m_txbOutput->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                      event->type() == QEvent::ContextMenu)) {
        if (event->type() == QEvent::ContextMenu)
            return m_settings.Source == SourceKind::OnClipboard;
        return OnTextWindowMouse(static_cast<QMouseEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::OnPatternBoxLeft(int index) {
    if (!m_state.blnStartUpCompleted || m_checkingPatterns || m_session->run.IsRunning())
        return;
    m_checkingPatterns = true;
    if (index == 0)
        CheckPatternBoxOnLeave(*m_host, m_settings);
    else
        ValidatePatterns(*m_host, FileSelection::FromSettings(m_settings));
    m_checkingPatterns = false;
}

bool frmMain::OnTextWindowMouse(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && m_settings.Source == SourceKind::OnClipboard) {
        m_host->MessageBox(u"To count words/phrases on the clipboard click on 'Count ...'",
                           u"Text on clipboard", MsgIcon::Information);
        return true;
    }
    if (event->button() != Qt::LeftButton || !m_session->run.IsRunning())
        return false;
    // The run waits while the message is up: the person can read what is shown.
    if (m_session->run.ListingFiles())
        m_host->MessageBox(u"Click on 'OK' to continue.", u"Listing files to be scanned",
                           MsgIcon::Information);
    else if (m_settings.SuppressWords == 0)
        m_host->MessageBox(u"Click on 'OK' to continue.", u"Scanning files", MsgIcon::Information);
    else
        return false;
    return true;
}

void frmMain::ShowHelp() {
    ShowHelpMessage(*m_host, DataFolder());
    SetFocusIfPossible(m_lblOnlineDocumentation);
}

void frmMain::OnClearOutput() {
    m_session->textWindow.ClearOutput();
    for (QLabel* l :
         {m_lblNumberOfWords, m_lblNumWordsExcluded, m_lblNumOccurrences, m_lblTotalNumOccurrences})
        l->hide();
    SetTheFocus();
}

void frmMain::OnViewClipboard() {
    if (!m_clipboardViewer)
        m_clipboardViewer = new frmClipboardViewer(this);
    m_clipboardViewer->RefreshFromClipboard();
    m_clipboardViewer->show();
    m_clipboardViewer->raise();
    m_clipboardViewer->activateWindow();
}

void frmMain::OnAbout() {
    if (!m_about)
        m_about = new frmAbout(*m_host, DataFolder(), this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// A person's change of a bound control has reached the record; what follows from it.
void frmMain::OnFieldChanged(std::u16string_view field, int previous) {
    if (field == u"Source") {
        const auto chosen = m_settings.Source;
        m_settings.Source = static_cast<SourceKind>(previous);
        if (m_state.blnStartUpCompleted)
            OnSourceChosen(chosen);
        else
            m_settings.Source = chosen;
    } else if (field == u"File0") {
        m_state.blnWordsGot = false;
        m_lblFilesize->clear();
        m_lblXMLsize->clear();
    } else if (field == u"File1") {
        // The person is typing the path: the focus stays in the box.
        if (TrimSpaces(m_settings.File[1]).empty())
            m_settings.DisableOutputToFile = 0;
        RecordToControls();
        m_cmdClearFile[1]->setEnabled(!m_txbFile[1]->text().isEmpty());
    } else if (field == u"Folder" || field == u"IncludeSubfolders") {
        m_state.blnWordsGot = false;
    } else if (field == u"DisableOutputToFile") {
        if (m_state.blnStartUpCompleted)
            OnDisableOutputToFileClick(m_session->ctx);
        RecordToControls();
    } else if (field == u"DisplayRelativeFrequency") {
        OnReportOption(static_cast<int>(ReportOption::DisplayRelativeFrequency));
    } else if (field == u"SortByNumberOfFiles") {
        OnReportOption(static_cast<int>(ReportOption::SortByNumberOfFiles));
    } else if (field == u"WordOrder") {
        OnReportOption(static_cast<int>(ReportOption::WordOrder));
    } else if (field == u"DisplayFormat") {
        OnReportOption(static_cast<int>(ReportOption::DisplayFormat));
    }
}

void frmMain::ShowSettingsWindow() {
    if (!m_params)
        m_params = new frmParams(*this);
    m_params->Open();
}

void frmMain::Reinitialize() {
    InitializeAfterStartUp(m_settings, m_state, *m_host, u"Reinitialize");
    AfterInitialize();
}

void frmMain::AfterSettingsLoaded(const RestoreOutcome& outcome) {
    if (outcome.folderAsRead)
        m_keptFolder = *outcome.folderAsRead;
    if (outcome.fileAsRead)
        m_keptFile = *outcome.fileAsRead;
    ApplyFieldDependencies(m_settings);
    m_state.blnWordsGot = false;
    RecordToControls();
    EnableDisableButtons(true);
}

std::unique_ptr<RestoreActions> frmMain::MakeRestoreActions(bool restoring) {
    return std::make_unique<Restore>(*this, restoring);
}

void frmMain::AfterInitialize() {
    m_keptFile.clear();
    m_keptFolder.clear();
    // The extra-words boxes were emptied, and a file list the person chose to clear has no
    // file in force: their entries must not go on counting.
    for (int i = 0; i < 2; ++i) {
        m_session->wordLists.ExtraWordsLostFocus(i, /*restoring=*/true);
        if (m_settings.WordsFile[i].selected < 0 && m_state.blnStartUpCompleted)
            m_session->wordLists.WordsFileChosen(i, LoadRemoveChoice::Remove);
    }
    SetCountWordsCaption();
    RecordToControls();
}

void frmMain::FillLists() {
    SettingsLists lists;
    SetUpLists(lists, m_settings);
    m_binder->FillLists();
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
    for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QComboBox*>(w))
            if (w != m_lblTwirler)
                w->setFont(GeneralFont());
    }
    // The lists hold their entries in the captions' font now: each is made wide enough to
    // show its longest entry whole (the style's own estimate can fall a few pixels short).
    for (QComboBox* list : {m_cboWordOrder, m_cboDisplayFormat}) {
        list->adjustSize();
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int field =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        int longest = 0;
        for (int i = 0; i < list->count(); ++i)
            longest = std::max(longest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        list->setMinimumWidth(list->width() + std::max(0, longest - field) + 4);
    }
    QFont bold = m_cmdCountWords->font();
    bold.setBold(true);
    m_cmdCountWords->setFont(bold);
    // The questions of the start-up are centred on the window: the window, now at its final
    // size, is placed in the middle of the screen first, rather than wherever it happens to be
    // before the desktop has placed it (its top left corner).
    CentreOnScreen();

    InitializeRecord(m_settings, m_state);
    // The questions of the restore and the first run appear over a window that already shows
    // the reset settings.
    RecordToControls();
    EnableDisableButtons(true);
    if (m_helpAtStartUp)
        ShowHelpMessage(*m_host, DataFolder());
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
    emit recordChanged();
}

void frmMain::ShowRecord() {
    m_binder->Show();
    if (!m_session->run.IsRunning()) {
        m_chkDisplayRelativeFrequency->setEnabled(CanChangeDisplayRelativeFrequency(m_settings));
        m_chkSortByNumberOfFiles->setEnabled(CanChangeSortByNumberOfFiles(m_settings));
        m_chkDisableOutputToFile->setEnabled(!TrimSpaces(m_settings.File[1]).empty());
    }
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
          static_cast<QWidget*>(m_cmdListFiles), static_cast<QWidget*>(m_cmdCountArray)})
        w->setEnabled(folder);
    m_cmdCountArray->setVisible(folder);
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
    ResultsAfterRun(enable);
    if (m_params)
        m_params->EnableDisableButtons(enable);
    if (!enable) {
        // Nothing that could change a setting may be used while a count runs; the count
        // button (now the Stop request), Quit and "Don't display words" stay.
        // Only the window's own controls: its dialogs are children too.
        for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
            if (w == m_cmdCountWords || w == m_cmdQuit || w == m_chkSuppressWords ||
                w == m_txbOutput || w->parentWidget() == m_txbOutput || qobject_cast<QGroupBox*>(w))
                continue;
            if (w == m_lblTarnwellSystems)
                w->setEnabled(false);
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
          static_cast<QWidget*>(m_cmdClearOutput), static_cast<QWidget*>(m_cmdSaveState),
          static_cast<QWidget*>(m_cmdSetParameters), static_cast<QWidget*>(m_cmdCountAllPhrases),
          static_cast<QWidget*>(m_cmdClipboardViewer), static_cast<QWidget*>(m_cmdHelp),
          static_cast<QWidget*>(m_lblTarnwellSystems)})
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
    m_cmdCountArray->setText(
        Q(GetText(m_state.blnThereAreCountOnlyWords ? TextId::CountArrayOfCountOnly
                                                    : TextId::CountArrayCaption)));
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
    if (chosen)
        UseInputFile(*chosen);
}

void frmMain::UseInputFile(const std::u16string& path) {
    m_settings.File[0] = path;
    m_keptFile = path;
    m_state.blnWordsGot = false;
    RecordToControls();
    ShowSingleFileDetails();
    Refresh();
    SetTheFocus();
}

void frmMain::OnChooseFolder() {
    const auto chosen =
        m_host->ChooseFolder(GetText(TextId::SelectFolderTitle), TrimSpaces(m_settings.Folder));
    if (chosen)
        UseFolder(*chosen);
}

void frmMain::UseFolder(const std::u16string& path) {
    m_settings.Folder = path;
    m_keptFolder = path;
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
        m_countChoice->showSettingsWindow = [this] { ShowSettingsWindow(); };
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
    AfterRun();
}

void frmMain::AfterRun() {
    RecordToControls();
    EnableDisableButtons(true);
    Refresh();
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void frmMain::OnCountAllPhrases() {
    if (m_session->run.IsRunning())
        return;
    if (!m_allPhrases) {
        m_allPhrases = new frmCountAllPhrases(*m_session, this);
        m_allPhrases->saveSettings = [this] { OnSaveState(); };
        m_allPhrases->showSettingsWindow = [this] { ShowSettingsWindow(); };
        m_allPhrases->quitProgram = [this] { QTimer::singleShot(0, this, &QWidget::close); };
        m_allPhrases->displayFormatChanged = [this] { RecordToControls(); };
        connect(this, &frmMain::recordChanged, m_allPhrases, &frmCountAllPhrases::RecordToControls);
    }
    // A count started there has run when the window returns.
    m_allPhrases->Choose();
    AfterRun();
}

void frmMain::OnCountArray() {
    if (m_session->run.IsRunning())
        return;
    if (!m_countArray) {
        m_countArray = new frmCountArray(m_settings, this);
        m_countArray->showSettingsWindow = [this] { ShowSettingsWindow(); };
        connect(this, &frmMain::recordChanged, m_countArray, &frmCountArray::RecordToControls);
    }
    m_session->CountArray([this] { return m_countArray->Choose(); });
    AfterRun();
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

    if (m_params)
        m_params->Refresh();

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
    // A concordance search yields to the event loop from below this handler, as a count does;
    // the program ends only once it has unwound, so it stops now.
    if (m_results)
        m_results->StopSearch();
    if (m_session->run.IsRunning()) {
        // The run is still on the stack below this handler: ask it to stop, and quit once
        // it has unwound (unless the person declined to stop).
        if (m_session->run.RequestStop())
            m_closeAfterRun = true;
        event->ignore();
        return;
    }
    // So does a listing outside a count (a relisting after an option change, the phrase
    // filter): it ends at its next yield, as a stopped count's listing does.
    m_state.blnStop = true;
    if (m_state.blnStartUpCompleted && m_settings.SaveStateOnQuit == 1)
        OnSaveState();
    RemoveDocxTemporaryFolders();
    event->accept();
}

} // namespace lxty::app
