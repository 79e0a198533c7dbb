#pragma once
// The results table's model: a Qt table over a ResultsView of the session's word table (rows
// are entries' indices; nothing of the table is copied). Sorting by a column and the filter
// go to the view; the view decides the rows.

#include "reports/ResultsView.h"

#include <QAbstractTableModel>

namespace lxty::app {

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultsModel(ResultsView& view, QObject* parent = nullptr);

    // The view was reloaded (a new count): rows and columns afresh.
    void Reset();
    // False when the filter is a pattern the expression engine refuses (no row is shown).
    bool SetFilter(const QString& filter, bool caseSignificant);
    ResultsColumn ColumnAt(int column) const { return m_columns[static_cast<std::size_t>(column)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    ResultsView& m_view;
    std::vector<ResultsColumn> m_columns;
};

} // namespace lxty::app
