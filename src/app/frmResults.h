#pragma once
// The results window: the whole word table of the last count in a table (rank, word or
// phrase, frequency, relative frequency, number of files in folder runs), sorted by a click
// on a column's header, narrowed by a filter (plain text, or the word lists' "~" and "?"
// wildcards and <patterns>), with "N of M rows" beneath. The selected rows are copied as
// tab-separated text; the shown rows are exported as CSV or TSV (UTF-8). From here the Zipf
// plot of the list and the concordance of the selected entry open.
//
// The window reads the session's word table in place: Reload after every count, and no count
// may run while it shows a table (the main window disables it during a run).

#include "reports/ResultsView.h"
#include "run/CountRun.h"

#include <QWidget>
#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lxty {
class CountSession;
}

namespace lxty::app {

class ResultsModel;
class frmConcordance;
class frmZipfPlot;

class frmResults : public QWidget {
    Q_OBJECT
public:
    frmResults(CountSession& session, std::filesystem::path programFolder,
               QWidget* parent = nullptr);
    ~frmResults() override;

    // The table of a count of mode, afresh (filter kept, sort back to rank order).
    void Reload(CountMode mode);
    // No rows (a count is about to change the table).
    void Clear();
    // Writes the shown rows to path as CSV or TSV; false after a message when it cannot.
    bool ExportTo(const QString& path, bool csv);
    // The selected rows, with the heading line, tab-separated.
    QString SelectedRowsText() const;
    ResultsView& View() { return m_view; }

    // Opens (or brings up) the plot of the shown list, and the concordance of the selected
    // entry (the first shown row when none is selected).
    frmZipfPlot* OpenZipfPlot();
    frmConcordance* OpenConcordance();
    // Stops what this window started that may still run (the concordance's search), as its
    // Stop button does: the program is quitting.
    void StopSearch();

private:
    void ApplyFilter();
    void ShowStatus();
    void CopySelectedRows();
    void ChooseExportFile();
    void EnableButtons();

    CountSession& m_session;
    std::filesystem::path m_programFolder;
    CountMode m_mode = CountMode::AllWords;
    ResultsView m_view;
    ResultsModel* m_model = nullptr;
    QLineEdit* m_txtFilter = nullptr;
    QCheckBox* m_chkMatchCase = nullptr;
    QTableView* m_grdResults = nullptr;
    QLabel* m_lblStatus = nullptr;
    QPushButton* m_cmdCopy = nullptr;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdZipfPlot = nullptr;
    QPushButton* m_cmdConcordance = nullptr;
    frmZipfPlot* m_plot = nullptr;
    frmConcordance* m_concordance = nullptr;
};

} // namespace lxty::app
