// Indented cells of browse lists.
#include "platform/browseitemdelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <cmath>

#include "platform/browsemodel.h"

namespace jurnal {

BrowseItemDelegate::BrowseItemDelegate(double dluX, QObject* parent) : QStyledItemDelegate(parent), m_dluX(dluX) {}

void BrowseItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  // The background (highlight included) spans the whole cell; only the text is indented.
  const QString text = opt.text;
  opt.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

  const int indent = static_cast<int>(std::lround(index.data(BrowseModel::IndentRole).toInt() * m_dluX));
  const int margin = 1;  // the columns are designed narrow: the indent is the only gap
  QRect r = opt.rect.adjusted(margin, 0, -margin, 0);
  const Qt::Alignment align = opt.displayAlignment;
  if (align & Qt::AlignRight)
    r.adjust(0, 0, -indent, 0);
  else if (!(align & Qt::AlignHCenter))
    r.adjust(indent, 0, 0, 0);
  const bool selected = opt.state & QStyle::State_Selected;
  painter->save();
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(r, static_cast<int>(align | Qt::AlignVCenter), opt.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
  painter->restore();
}

}  // namespace jurnal
