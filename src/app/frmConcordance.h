#pragma once
// The concordance window: every occurrence of one entry of the results in its context, the
// file and line it lies in, listed as the source is counted again (Concordance) with the
// settings of the count that listed the entry. The count runs in a session of the window's
// own, so the results being explored stay as they are; Stop ends it, and the hits found so
// far stay listed. The number of characters each side is set in the window (0 to 1,000).

#include "run/Concordance.h"
#include "run/CountRun.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace lxty {
class CountSession;
class Host;
} // namespace lxty

namespace lxty::app {

// The hits as a table: file, line, left context, the occurrence, right context.
class ConcordanceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Clear();
    void Add(const ConcordanceHit& hit);
    const std::vector<ConcordanceHit>& Hits() const { return m_hits; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<ConcordanceHit> m_hits;
};

class frmConcordance : public QWidget {
    Q_OBJECT
public:
    // origin: the session whose results are explored (its settings are copied for each run).
    frmConcordance(CountSession& origin, std::filesystem::path programFolder,
                   QWidget* parent = nullptr);
    ~frmConcordance() override;

    // Shows the occurrences of entry, an entry of a count of mode that counted it frequency
    // times; the search starts from the event loop (a search in progress is stopped first).
    void SetEntry(CountMode mode, const QString& entry, std::int64_t frequency);
    // Searches now and returns when the search has ended.
    RunOutcome Find();
    void Stop();
    bool Running() const { return m_running; }
    const ConcordanceModel& Model() const { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowStatus();

    CountSession& m_origin;
    std::filesystem::path m_programFolder;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<CountSession> m_session;
    std::unique_ptr<Concordance> m_concordance;
    CountMode m_mode = CountMode::AllWords;
    QString m_entry;
    std::int64_t m_frequency = 0;
    bool m_running = false;
    bool m_stopped = false;
    bool m_again = false; // another entry was asked for while a search ran
    ConcordanceModel m_model;
    QLabel* m_lblEntry = nullptr;
    QSpinBox* m_spnContext = nullptr;
    QPushButton* m_cmdFind = nullptr;
    QPushButton* m_cmdStop = nullptr;
    QTableView* m_grdHits = nullptr;
    QLabel* m_lblStatus = nullptr;
};

} // namespace lxty::app
