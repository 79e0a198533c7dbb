#include "app/ResultsModel.h"

#include "app/QtText.h"
#include "engine/WordTable.h"

namespace lxty::app {

ResultsModel::ResultsModel(ResultsView& view, QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_columns(view.Columns()) {}

void ResultsModel::Reset() {
    beginResetModel();
    m_columns = m_view.Columns();
    endResetModel();
}

bool ResultsModel::SetFilter(const QString& filter, bool caseSignificant) {
    beginResetModel();
    const bool ok = m_view.SetFilter(U(filter), caseSignificant);
    endResetModel();
    return ok;
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_view.Shown());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ResultsColumn column = ColumnAt(index.column());
    if (role == Qt::DisplayRole)
        return Q(m_view.Cell(static_cast<std::size_t>(index.row()), column));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column == ResultsColumn::Entry
                                       ? Qt::AlignLeft | Qt::AlignVCenter
                                       : Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return Q(ResultsView::Caption(ColumnAt(section)));
}

void ResultsModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    m_view.Sort(ColumnAt(column), order == Qt::DescendingOrder);
    emit layoutChanged();
}

} // namespace lxty::app
