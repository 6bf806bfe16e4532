// The rows of one page of a browse list as a Qt table model: the manager puts in the rows it
// has read; the model only shows them with the columns' headers and alignments.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <vector>

#include "platform/browseview.h"

namespace jurnal {

// One list column. Widths and indents are in dialog units of the list's window.
struct BrowseColumn {
  QString header;
  int width = 40;
  Qt::Alignment headerAlignment = Qt::AlignHCenter;
  Qt::Alignment cellAlignment = Qt::AlignLeft;
  int indent = 0;
  bool resizable = true;
  // Characters the display format shows (0: no minimum); with the header's text, the column
  // is never narrower than that in the list's font.
  int formatChars = 0;
};

class BrowseModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit BrowseModel(QObject* parent = nullptr);

  void setColumns(const QVector<BrowseColumn>& columns);
  const QVector<BrowseColumn>& columns() const { return m_columns; }
  void setRows(std::vector<BrowseRow> rows);
  const std::vector<BrowseRow>& rows() const { return m_rows; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Role holding a cell's indent in dialog units (for the item delegate).
  static constexpr int IndentRole = Qt::UserRole + 1;

 private:
  QVector<BrowseColumn> m_columns;
  std::vector<BrowseRow> m_rows;
};

}  // namespace jurnal
