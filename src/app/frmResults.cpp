#include "app/frmResults.h"

#include "app/QtText.h"
#include "app/ResultsModel.h"
#include "app/WindowBuilder.h"
#include "app/frmConcordance.h"
#include "app/frmZipfPlot.h"
#include "engine/WordTable.h"
#include "run/CountSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

#include <algorithm>

namespace lxty::app {

namespace {

QString Count(std::size_t n) {
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(n));
}

} // namespace

frmResults::frmResults(CountSession& session, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_programFolder(std::move(programFolder)),
      m_view(session.table) {
    NameWindow(this, "frmResults", QStringLiteral("Results"));
    auto* lblFilter = Make<QLabel>(this, "lblFilter", QStringLiteral("&Filter:"));
    m_txtFilter = Make<QLineEdit>(this, "txtFilter", QString(), QStringLiteral("Filter"));
    m_txtFilter->setPlaceholderText(QStringLiteral("text, or a pattern such as lo~ or <ing$>"));
    m_txtFilter->setClearButtonEnabled(true);
    lblFilter->setBuddy(m_txtFilter);
    m_chkMatchCase = Make<QCheckBox>(this, "chkMatchCase", QStringLiteral("&Match case"));

    m_model = new ResultsModel(m_view, this);
    m_grdResults = Make<QTableView>(this, "grdResults", QString(), QStringLiteral("Results table"));
    m_grdResults->setModel(m_model);
    m_grdResults->setSortingEnabled(true);
    m_grdResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdResults->setAlternatingRowColors(true);
    m_grdResults->setWordWrap(false);
    m_grdResults->verticalHeader()->hide();
    // Rows of one height are laid out without asking every row its size: a million stay smooth.
    m_grdResults->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdResults->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grdResults->horizontalHeader()->setSortIndicatorShown(true);

    m_lblStatus = Make<QLabel>(this, "lblStatus", QString(), QStringLiteral("Rows shown"));
    m_cmdCopy = Make<QPushButton>(this, "cmdCopy", QStringLiteral("&Copy rows"));
    m_cmdExport = Make<QPushButton>(this, "cmdExport", QStringLiteral("&Export..."));
    m_cmdZipfPlot = Make<QPushButton>(this, "cmdZipfPlot", QStringLiteral("&Zipf plot"));
    m_cmdConcordance = Make<QPushButton>(this, "cmdConcordance", QStringLiteral("C&oncordance"));
    LayOutToolWindow(
        this, Row({lblFilter, m_txtFilter, m_chkMatchCase}, 1), m_grdResults, m_lblStatus,
        {m_cmdCopy, m_cmdExport, m_cmdZipfPlot, m_cmdConcordance, CloseButton(this)}, {720, 520});

    connect(m_txtFilter, &QLineEdit::textChanged, this, &frmResults::ApplyFilter);
    connect(m_chkMatchCase, &QCheckBox::toggled, this, &frmResults::ApplyFilter);
    connect(m_cmdCopy, &QPushButton::clicked, this, &frmResults::CopySelectedRows);
    connect(m_cmdExport, &QPushButton::clicked, this, &frmResults::ChooseExportFile);
    connect(m_cmdZipfPlot, &QPushButton::clicked, this, &frmResults::OpenZipfPlot);
    connect(m_cmdConcordance, &QPushButton::clicked, this, &frmResults::OpenConcordance);
    connect(m_grdResults, &QTableView::doubleClicked, this, &frmResults::OpenConcordance);
    connect(m_grdResults->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmResults::EnableButtons);
    auto* copy = new QShortcut(QKeySequence::Copy, m_grdResults);
    connect(copy, &QShortcut::activated, this, &frmResults::CopySelectedRows);
    setTabOrder(m_txtFilter, m_chkMatchCase);
    setTabOrder(m_chkMatchCase, m_grdResults);
    setTabOrder(m_grdResults, m_cmdCopy);
}

frmResults::~frmResults() = default;

void frmResults::Reload(CountMode mode) {
    m_mode = mode;
    m_view.Reload();
    m_view.SetFilter(U(m_txtFilter->text()), m_chkMatchCase->isChecked());
    m_grdResults->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->Reset();
    // The numbers take what they need (judged from the rows in sight, not a million); the
    // word or phrase takes the rest.
    QHeaderView* header = m_grdResults->horizontalHeader();
    header->setResizeContentsPrecision(200);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const bool entry = m_model->ColumnAt(c) == ResultsColumn::Entry;
        header->setSectionResizeMode(c, entry ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (!entry)
            m_grdResults->resizeColumnToContents(c);
    }
    ShowStatus();
    EnableButtons();
    if (m_plot)
        m_plot->Plot(m_session.table);
}

void frmResults::Clear() {
    m_view.Clear();
    m_model->Reset();
    ShowStatus();
    EnableButtons();
}

void frmResults::ApplyFilter() {
    const bool ok = m_model->SetFilter(m_txtFilter->text(), m_chkMatchCase->isChecked());
    m_txtFilter->setToolTip(ok ? QString() : QStringLiteral("Not a valid pattern."));
    ShowStatus();
    if (!ok)
        m_lblStatus->setText(m_lblStatus->text() +
                             QStringLiteral(" (the filter is not a valid pattern)"));
    EnableButtons();
}

void frmResults::ShowStatus() {
    m_lblStatus->setText(
        QStringLiteral("%1 of %2 rows").arg(Count(m_view.Shown()), Count(m_view.Total())));
}

void frmResults::EnableButtons() {
    const bool any = m_view.Shown() > 0;
    m_cmdCopy->setEnabled(m_grdResults->selectionModel()->hasSelection());
    m_cmdExport->setEnabled(any);
    m_cmdZipfPlot->setEnabled(m_view.Total() > 0);
    m_cmdConcordance->setEnabled(any);
}

QString frmResults::SelectedRowsText() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : m_grdResults->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(i.row()));
    if (rows.empty())
        return {};
    std::sort(rows.begin(), rows.end());
    return Q(m_view.Export(false, rows));
}

void frmResults::CopySelectedRows() {
    const QString text = SelectedRowsText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

bool frmResults::ExportTo(const QString& path, bool csv) {
    QFile file(path);
    const QByteArray bytes = Q(m_view.Export(csv)).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        QMessageBox::warning(this, QStringLiteral("Export"),
                             QStringLiteral("The results could not be written to %1.").arg(path));
        return false;
    }
    return true;
}

void frmResults::ChooseExportFile() {
    const QString csvFilter = QStringLiteral("Comma-separated values (*.csv)");
    QString chosenFilter;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export results"), QString(),
        csvFilter + QStringLiteral(";;Tab-separated values (*.tsv *.txt)"), &chosenFilter);
    if (path.isEmpty())
        return;
    const bool csv =
        path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
        (chosenFilter == csvFilter && !path.endsWith(QStringLiteral(".tsv"), Qt::CaseInsensitive) &&
         !path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive));
    ExportTo(path, csv);
}

frmZipfPlot* frmResults::OpenZipfPlot() {
    if (!m_plot)
        m_plot = new frmZipfPlot(this);
    m_plot->Plot(m_session.table);
    m_plot->show();
    m_plot->raise();
    return m_plot;
}

frmConcordance* frmResults::OpenConcordance() {
    if (m_view.Shown() == 0)
        return nullptr;
    const QModelIndex current = m_grdResults->currentIndex();
    const std::size_t row =
        current.isValid() && static_cast<std::size_t>(current.row()) < m_view.Shown()
            ? static_cast<std::size_t>(current.row())
            : 0;
    if (!m_concordance)
        m_concordance = new frmConcordance(m_session, m_programFolder, this);
    m_concordance->show();
    m_concordance->raise();
    m_concordance->SetEntry(m_mode, Q(m_view.EntryAt(row).word), m_view.EntryAt(row).count);
    return m_concordance;
}

void frmResults::StopSearch() {
    if (m_concordance)
        m_concordance->close();
}

} // namespace lxty::app
