// PrintJUR:INDEX, the report by date for the period GLO:DATE..GLO:DATE2 (both days included).
// Layout in thousandths of an inch.
#include "core/globals.h"
#include "core/reportformat.h"
#include "reports/reportdefinition.h"

namespace jurnal {

ReportDefinition printJurIndex() {
  ReportDefinition d;
  d.name = QStringLiteral("PrintJUR:INDEX");
  d.key = JurKey::Index;
  d.estimator = ProgressEstimator::Kind::Numeric;
  d.selection = [] {
    const Globals& g = globals();
    return JurSelection{JurKey::Index, KeyValue(std::int64_t(g.date)), KeyValue(std::int64_t(g.date2)), {}};
  };

  const ReportFont regular;
  ReportFont bold;
  bold.bold = true;
  ReportFont small;
  small.points = 8;
  const auto right = Qt::AlignRight;
  ReportLayout& l = d.layout;
  l.body = QRect(260, 865, 7490, 10135);

  l.header.area = QRect(250, 188, 7500, 646);
  l.header.items = {
      ReportItem::label(QRect(2000, 21, 1375, 208), QStringLiteral("Отчет за период с"), bold, Qt::AlignHCenter),
      ReportItem::field(QRect(3365, 31, 802, 208), 0, bold),
      ReportItem::label(QRect(4125, 42, 0, 208), QStringLiteral("по"), bold),
      ReportItem::field(QRect(4333, 42, 0, 208), 1, bold),
      ReportItem::box(QRect(0, 313, 7500, 313), QColor(192, 192, 192)),
      ReportItem::label(QRect(281, 375, 417, 208), QStringLiteral("Дата"), regular),
      ReportItem::label(QRect(885, 375, 521, 208), QStringLiteral("Время"), regular),
      ReportItem::label(QRect(1438, 375, 625, 208), QStringLiteral("Частота"), regular),
      ReportItem::label(QRect(2333, 375, 729, 208), QStringLiteral("Оператор"), regular),
      ReportItem::label(QRect(3583, 375, 729, 208), QStringLiteral("Позывной"), regular),
      ReportItem::label(QRect(4760, 375, 625, 208), QStringLiteral("Город"), regular),
      ReportItem::label(QRect(6156, 375, 417, 208), QStringLiteral("RSS"), regular),
      ReportItem::label(QRect(6927, 375, 417, 208), QStringLiteral("RSR"), regular),
  };

  l.detail.area = QRect(0, 0, 7490, 354);
  l.detail.items = {
      ReportItem::field(QRect(73, 52, 729, 208), kDetailDate, regular, right),
      ReportItem::field(QRect(896, 42, 521, 208), kDetailTime, regular),
      ReportItem::field(QRect(1469, 42, 521, 208), kDetailBand, regular),
      ReportItem::field(QRect(2063, 52, 1333, 208), kDetailOperator, regular),
      ReportItem::field(QRect(3500, 52, 833, 208), kDetailRadio, regular),
      ReportItem::field(QRect(4396, 42, 1417, 208), kDetailQth, regular),
      ReportItem::field(QRect(5844, 42, 688, 208), kDetailRss, regular, right),
      ReportItem::field(QRect(6563, 31, 729, 208), kDetailRsr, regular, right),
      ReportItem::line(0, 323, 7500),
  };

  l.footer.area = QRect(260, 11000, 7490, 219);
  l.footer.items = {ReportItem::field(QRect(3333, 0, 938, 208), 0, small)};

  d.headerValues = [](const ReportBandState&) {
    const Globals& g = globals();
    return QStringList{QString::fromLatin1(formatPeriodDate(g.date).c_str()),
                       QString::fromLatin1(formatPeriodDate(g.date2).c_str())};
  };
  d.footerValues = [](const ReportBandState& s) {
    return QStringList{QString::fromStdString(pageNumberText(s.page))};
  };
  return d;
}

}  // namespace jurnal
