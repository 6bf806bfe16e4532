// PrintJUR:RADIO_KEY, the report by callsign: the contacts whose callsign equals GLO:RADIO in
// upper case, trailing blanks ignored. The callsign asked for is not printed.
#include "core/globals.h"
#include "core/reportformat.h"
#include "reports/reportdefinition.h"

namespace jurnal {

ReportDefinition printJurRadioKey() {
  ReportDefinition d;
  d.name = QStringLiteral("PrintJUR:RADIO_KEY");
  d.key = JurKey::Radio;
  d.estimator = ProgressEstimator::Kind::Text;
  d.selection = [] {
    const std::string radio(globals().radio.trimmed());
    return JurSelection{JurKey::Radio, KeyValue(radio), KeyValue(radio), {}};
  };

  const ReportFont regular;
  ReportFont bold;
  bold.bold = true;
  ReportFont small;
  small.points = 8;
  const auto right = Qt::AlignRight;
  ReportLayout& l = d.layout;
  l.body = QRect(260, 844, 7479, 10156);

  l.header.area = QRect(250, 323, 7490, 500);
  l.header.items = {
      ReportItem::label(QRect(10, 31, 7479, 219), QStringLiteral("Отчет по позывному"), bold, Qt::AlignHCenter),
      ReportItem::box(QRect(0, 260, 7510, 250), QColor(192, 192, 192)),
      ReportItem::label(QRect(229, 281, 417, 167), QStringLiteral("Дата"), regular),
      ReportItem::label(QRect(948, 281, 427, 167), QStringLiteral("Время"), regular),
      ReportItem::label(QRect(1510, 281, 490, 167), QStringLiteral("BAND"), regular),
      ReportItem::label(QRect(2250, 281, 469, 167), QStringLiteral("RADIO"), regular),
      ReportItem::label(QRect(3083, 281, 792, 167), QStringLiteral("OPERATOR"), regular),
      ReportItem::label(QRect(4354, 271, 365, 198), QStringLiteral("QTH"), regular),
      ReportItem::label(QRect(5792, 281, 375, 167), QStringLiteral("RSS"), regular),
      ReportItem::label(QRect(6677, 281, 406, 167), QStringLiteral("RSR"), regular),
      ReportItem::line(10, 469, 7458),
  };

  l.detail.area = QRect(0, 0, 7438, 219);
  l.detail.items = {
      ReportItem::field(QRect(10, 31, 740, 167), kDetailDate, regular, right),
      ReportItem::field(QRect(875, 21, 469, 167), kDetailTime, regular),
      ReportItem::field(QRect(1427, 31, 542, 167), kDetailBand, regular),
      ReportItem::field(QRect(2104, 10, 802, 167), kDetailRadio, regular),
      ReportItem::field(QRect(3031, 10, 1000, 167), kDetailOperator, regular),
      ReportItem::field(QRect(4052, 21, 1167, 167), kDetailQth, regular),
      ReportItem::field(QRect(5344, 10, 813, 167), kDetailRss, regular, right),
      ReportItem::field(QRect(6333, 10, 792, 167), kDetailRsr, regular, right),
      ReportItem::line(10, 198, 7417),
  };

  l.footer.area = QRect(292, 11010, 7448, 219);
  l.footer.items = {ReportItem::field(QRect(5250, 30, 700, 135), 0, small)};
  d.footerValues = [](const ReportBandState& s) {
    return QStringList{QString::fromStdString(pageNumberText(s.page))};
  };
  return d;
}

}  // namespace jurnal
