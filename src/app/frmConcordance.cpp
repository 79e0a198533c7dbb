#include "app/frmConcordance.h"

#include "app/QtText.h"
#include "app/WindowBuilder.h"
#include "base/QuietHost.h"
#include "run/CountSession.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace lxty::app {

namespace {

// The concordance's count speaks to nobody but through its error messages: its labels, text
// window and questions belong to a count the person did not start. Questions take their
// default button; the window's events are served as the count yields.
class ConcordanceHost : public QuietHost {
public:
    explicit ConcordanceHost(Host& host) : m_host(host) {}
    void MessageBox(const std::u16string& text, const std::u16string& title,
                    MsgIcon icon) override {
        m_host.MessageBox(text, title, icon);
    }
    std::u16string ClipboardText() override { return m_host.ClipboardText(); }
    void Yield() override { m_host.Yield(); }

private:
    Host& m_host;
};

enum Column { File, Line, Left, Match, Right, Columns };

QString Count(std::int64_t n) {
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(n));
}

} // namespace

void ConcordanceModel::Clear() {
    beginResetModel();
    m_hits.clear();
    endResetModel();
}

void ConcordanceModel::Add(const ConcordanceHit& hit) {
    const int row = static_cast<int>(m_hits.size());
    beginInsertRows({}, row, row);
    m_hits.push_back(hit);
    endInsertRows();
}

int ConcordanceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_hits.size());
}

int ConcordanceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant ConcordanceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ConcordanceHit& hit = m_hits[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case File:
            return hit.file.empty() ? QStringLiteral("(clipboard)")
                                    : QFileInfo(Q(hit.file)).fileName();
        case Line:
            return QVariant::fromValue(static_cast<qlonglong>(hit.line));
        case Left:
            return Q(hit.left);
        case Match:
            return Q(hit.match);
        case Right:
            return Q(hit.right);
        }
    } else if (role == Qt::ToolTipRole && index.column() == File) {
        return QDir::toNativeSeparators(Q(hit.file));
    } else if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(index.column() == Left || index.column() == Line
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    } else if (role == Qt::FontRole && index.column() == Match) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant ConcordanceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const kCaptions[] = {"File", "Line", "Before", "Occurrence", "After"};
    return section >= 0 && section < Columns ? QString::fromLatin1(kCaptions[section]) : QVariant();
}

frmConcordance::frmConcordance(CountSession& origin, std::filesystem::path programFolder,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_origin(origin), m_programFolder(std::move(programFolder)),
      m_host(std::make_unique<ConcordanceHost>(origin.host)), m_model(this) {
    NameWindow(this, "frmConcordance", QStringLiteral("Concordance"));
    m_lblEntry = Make<QLabel>(this, "lblEntry", QString(), QStringLiteral("Word or phrase"));
    m_lblEntry->setTextFormat(Qt::PlainText);
    auto* lblContext = Make<QLabel>(this, "lblContext", QStringLiteral("C&haracters each side:"));
    m_spnContext = Make<QSpinBox>(this, "spnContext", QString(), PlainCaption(lblContext->text()));
    m_spnContext->setRange(0, 1000);
    m_spnContext->setValue(40);
    lblContext->setBuddy(m_spnContext);
    m_cmdFind = Make<QPushButton>(this, "cmdFind", QStringLiteral("&Find"));
    m_cmdStop = Make<QPushButton>(this, "cmdStop", QStringLiteral("&Stop"));
    m_cmdStop->setEnabled(false);

    m_grdHits = Make<QTableView>(this, "grdHits", QString(), QStringLiteral("Occurrences"));
    m_grdHits->setModel(&m_model);
    m_grdHits->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdHits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdHits->setWordWrap(false);
    m_grdHits->verticalHeader()->hide();
    m_grdHits->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdHits->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grdHits->horizontalHeader()->setStretchLastSection(true);
    m_grdHits->setColumnWidth(File, 110);
    m_grdHits->setColumnWidth(Line, 60);
    m_grdHits->setColumnWidth(Left, 280);
    m_grdHits->setColumnWidth(Match, 90);

    m_lblStatus = Make<QLabel>(this, "lblStatus", QString(), QStringLiteral("Occurrences found"));
    LayOutToolWindow(this, Row({m_lblEntry, lblContext, m_spnContext, m_cmdFind, m_cmdStop}),
                     m_grdHits, m_lblStatus, {CloseButton(this)}, {860, 460});

    connect(m_cmdFind, &QPushButton::clicked, this, [this] {
        if (!m_running)
            Find();
    });
    connect(m_cmdStop, &QPushButton::clicked, this, &frmConcordance::Stop);
}

frmConcordance::~frmConcordance() = default;

void frmConcordance::SetEntry(CountMode mode, const QString& entry, std::int64_t frequency) {
    m_mode = mode;
    m_entry = entry;
    m_frequency = frequency;
    m_lblEntry->setText(
        QStringLiteral("\u201C%1\u201D: %2 occurrences counted").arg(entry, Count(frequency)));
    if (m_running) {
        // The search in progress ends first; the new one starts when it has.
        m_again = true;
        Stop();
        return;
    }
    QTimer::singleShot(0, this, [this] {
        if (!m_running)
            Find();
    });
}

void frmConcordance::Stop() {
    if (m_running && m_concordance) {
        m_stopped = true;
        m_concordance->Stop();
    }
}

void frmConcordance::closeEvent(QCloseEvent* event) {
    m_again = false;
    Stop();
    QWidget::closeEvent(event);
}

RunOutcome frmConcordance::Find() {
    if (m_running || m_entry.isEmpty())
        return RunOutcome::Refused;
    m_running = true;
    m_stopped = false;
    m_model.Clear();
    m_cmdFind->setEnabled(false);
    m_cmdStop->setEnabled(true);
    m_spnContext->setEnabled(false);
    m_lblStatus->setText(QStringLiteral("Searching..."));

    // A session of its own for each search, set up as the explored count was, with its report
    // going to a file that is dropped (no question about a large input then arises).
    QTemporaryDir scratch;
    m_session = std::make_unique<CountSession>(*m_host, m_programFolder);
    CopySessionForConcordance(m_origin, *m_session);
    m_session->settings.File[1] = U(scratch.filePath(QStringLiteral("report.txt")));
    m_session->settings.SuppressWords = 1;
    m_concordance = std::make_unique<Concordance>(*m_session);
    const RunOutcome outcome = m_concordance->Run(m_mode, U(m_entry), m_spnContext->value(),
                                                  [this](const ConcordanceHit& hit) {
                                                      m_model.Add(hit);
                                                      if (m_model.rowCount() % 64 == 1)
                                                          ShowStatus();
                                                  });

    m_running = false;
    m_grdHits->resizeColumnToContents(Match);
    m_cmdFind->setEnabled(true);
    m_cmdStop->setEnabled(false);
    m_spnContext->setEnabled(true);
    ShowStatus();
    if (m_stopped)
        m_lblStatus->setText(m_lblStatus->text() + QStringLiteral(" (stopped)"));
    else if (outcome != RunOutcome::Produced)
        m_lblStatus->setText(m_lblStatus->text() + QStringLiteral(" (the count did not complete)"));
    if (m_again) {
        m_again = false;
        QTimer::singleShot(0, this, [this] { Find(); });
    }
    return outcome;
}

void frmConcordance::ShowStatus() {
    m_lblStatus->setText(
        QStringLiteral("%1 of %2 occurrences").arg(Count(m_model.rowCount()), Count(m_frequency)));
}

} // namespace lxty::app
