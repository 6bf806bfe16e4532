// PrintJUR:BAND_KEY, the report by frequency: every contact whose frequency is not zero, in
// frequency order. The only report whose progress window speaks Russian.
#include "core/reportformat.h"
#include "reports/reportdefinition.h"

namespace jurnal {

ReportDefinition printJurBandKey() {
  ReportDefinition d;
  d.name = QStringLiteral("PrintJUR:BAND_KEY");
  d.key = JurKey::Band;
  d.estimator = ProgressEstimator::Kind::Numeric;
  d.texts.caption = QStringLiteral("Прогресс...");
  d.texts.cancel = QStringLiteral("Отменить");
  d.texts.cancelY = 38;
  d.selection = [] { return JurSelection{JurKey::Band, {}, {}, {}}; };

  const ReportFont regular;
  ReportFont bold;
  bold.bold = true;
  ReportFont bold9 = bold;
  bold9.points = 9;
  ReportFont small;
  small.points = 8;
  const auto right = Qt::AlignRight;
  ReportLayout& l = d.layout;
  l.body = QRect(292, 573, 7458, 10667);

  l.header.area = QRect(281, 73, 7458, 427);
  l.header.items = {
      ReportItem::label(QRect(0, 0, 7500, 208), QStringLiteral("Отчет по Журналу (сортировка по BAND)"), bold,
                        Qt::AlignHCenter),
      ReportItem::box(QRect(0, 208, 7500, 208), QColor(192, 192, 192)),
      ReportItem::label(QRect(250, 229, 417, 167), QStringLiteral("Дата"), regular),
      ReportItem::label(QRect(813, 229, 469, 177), QStringLiteral("Время"), regular),
      ReportItem::label(QRect(1469, 229, 698, 167), QStringLiteral("Оператор"), regular),
      ReportItem::label(QRect(2469, 229, 698, 167), QStringLiteral("Позывной"), regular),
      ReportItem::label(QRect(3969, 229, 458, 167), QStringLiteral("Город"), regular),
      ReportItem::label(QRect(4990, 229, 583, 167), QStringLiteral("Частота"), bold9),
      ReportItem::label(QRect(5865, 229, 406, 167), QStringLiteral("RSS"), regular),
      ReportItem::label(QRect(6490, 240, 396, 167), QStringLiteral("RSR"), regular),
  };

  l.detail.area = QRect(21, 0, 7438, 240);
  l.detail.items = {
      ReportItem::field(QRect(21, 0, 729, 167), kDetailDate, regular, right),
      ReportItem::field(QRect(802, 0, 458, 167), kDetailTime, regular),
      ReportItem::field(QRect(1313, 10, 979, 167), kDetailOperator, regular),
      ReportItem::field(QRect(2396, 0, 833, 208), kDetailRadio, regular),
      ReportItem::field(QRect(3490, 0, 1458, 208), kDetailQth, regular),
      ReportItem::field(QRect(5010, 0, 729, 208), kDetailBand, regular),
      ReportItem::field(QRect(5802, 21, 448, 167), kDetailRss, regular, right),
      ReportItem::field(QRect(6406, 21, 417, 167), kDetailRsr, regular, right),
      ReportItem::line(31, 208, 7375),
  };

  l.footer.area = QRect(281, 11281, 7490, 229);
  l.footer.items = {ReportItem::field(QRect(2667, 42, 700, 135), 0, small)};
  d.footerValues = [](const ReportBandState& s) {
    return QStringList{QString::fromStdString(pageNumberText(s.page))};
  };
  return d;
}

}  // namespace jurnal
