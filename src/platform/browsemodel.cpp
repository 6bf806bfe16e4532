// The page of rows a browse list shows.
#include "platform/browsemodel.h"

namespace jurnal {

BrowseModel::BrowseModel(QObject* parent) : QAbstractTableModel(parent) {}

void BrowseModel::setColumns(const QVector<BrowseColumn>& columns) {
  beginResetModel();
  m_columns = columns;
  endResetModel();
}

void BrowseModel::setRows(std::vector<BrowseRow> rows) {
  // The page is small (the rows that fit the list), so a reset costs nothing worth saving.
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BrowseModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns.size(); }

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()) || index.column() >= m_columns.size())
    return {};
  const BrowseColumn& column = m_columns[index.column()];
  switch (role) {
    case Qt::DisplayRole: {
      const auto& values = m_rows[static_cast<std::size_t>(index.row())].values;
      return index.column() < values.size() ? values[index.column()] : QString();
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(column.cellAlignment | Qt::AlignVCenter);
    case IndentRole:
      return column.indent;
    default:
      return {};
  }
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) return {};
  if (role == Qt::DisplayRole) return m_columns[section].header;
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(m_columns[section].headerAlignment | Qt::AlignVCenter);
  return {};
}

}  // namespace jurnal
