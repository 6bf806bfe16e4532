// Layout data of a printed report: page areas and bands with their items, all in thousandths
// of an inch. Page areas are measured from the top-left corner of the paper, items from the
// top-left corner of their band. The report engine lays these out into pages.
#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

namespace jurnal {

struct ReportFont {
  QString family = QStringLiteral("Arial CYR");
  int points = 10;
  bool bold = false;
  bool italic = false;
  bool operator==(const ReportFont&) const = default;
};

struct ReportItem {
  enum class Kind {
    Text,   // a fixed text
    Value,  // one of the band's values, by index
    Box,    // a rectangle with a black outline, filled with `fill`
    Line,   // a black horizontal line from rect's left, rect.width() long, at rect.top()
  };
  Kind kind = Kind::Text;
  // Width 0: the item's natural width (as wide as its text in its font).
  QRect rect;
  QString text;
  int value = -1;
  ReportFont font;
  Qt::Alignment align = Qt::AlignLeft;
  QColor fill;

  static ReportItem label(const QRect& rect, const QString& text, const ReportFont& font = {},
                          Qt::Alignment align = Qt::AlignLeft);
  static ReportItem field(const QRect& rect, int value, const ReportFont& font = {},
                          Qt::Alignment align = Qt::AlignLeft);
  static ReportItem box(const QRect& rect, const QColor& fill);
  static ReportItem line(int x, int y, int length);
};

struct ReportBand {
  // Header and footer: position and size on the page. Detail: x (from the body's left),
  // width and height; its y is where the previous detail ended.
  QRect area;
  QList<ReportItem> items;
};

struct ReportLayout {
  QRect body;  // the area the detail bands fill, page by page
  ReportBand header;
  ReportBand detail;
  ReportBand footer;
};

}  // namespace jurnal
