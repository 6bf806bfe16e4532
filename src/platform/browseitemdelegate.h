// Draws browse-list cells with their column's indent: left-aligned text moves right by it,
// right-aligned text keeps that distance from the right border.
#pragma once

#include <QStyledItemDelegate>

namespace jurnal {

class BrowseItemDelegate final : public QStyledItemDelegate {
  Q_OBJECT
 public:
  // `dluX`: pixels per horizontal dialog unit of the list's window.
  BrowseItemDelegate(double dluX, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  double m_dluX;
};

}  // namespace jurnal
