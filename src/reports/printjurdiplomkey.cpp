// PrintJUR:DIPLOM_KEY, the report by diploma: the contacts whose diploma equals GLO:DIPLOM in
// upper case, two lines each, with the running points total in every page footer.
#include "core/globals.h"
#include "core/reportformat.h"
#include "core/win1251.h"
#include "reports/reportdefinition.h"

namespace jurnal {

ReportDefinition printJurDiplomKey() {
  ReportDefinition d;
  d.name = QStringLiteral("PrintJUR:DIPLOM_KEY");
  d.key = JurKey::Diplom;
  d.estimator = ProgressEstimator::Kind::Text;
  d.selection = [] {
    const std::string diplom(trimRight(globals().diplom));
    return JurSelection{JurKey::Diplom, KeyValue(diplom), KeyValue(diplom), {}};
  };

  const ReportFont regular;
  ReportFont bold;
  bold.bold = true;
  ReportFont boldItalic = bold;
  boldItalic.italic = true;
  ReportFont bold8 = bold;
  bold8.points = 8;
  ReportFont small;
  small.points = 8;
  const auto right = Qt::AlignRight;
  ReportLayout& l = d.layout;
  l.body = QRect(500, 990, 7229, 10094);

  l.header.area = QRect(479, 333, 7250, 656);
  l.header.items = {
      ReportItem::label(QRect(1979, 0, 1458, 208), QStringLiteral("Отчет по Диплому"), bold, Qt::AlignHCenter),
      ReportItem::field(QRect(3542, 0, 0, 208), 0, bold8),
      ReportItem::line(-21, 229, 7292),
      ReportItem::label(QRect(250, 292, 521, 208), QStringLiteral("Дата"), regular),
      ReportItem::label(QRect(854, 292, 521, 208), QStringLiteral("Время"), regular),
      ReportItem::label(QRect(1458, 292, 729, 208), QStringLiteral("Позывной"), regular),
      ReportItem::label(QRect(2292, 292, 625, 208), QStringLiteral("Частота"), regular),
      ReportItem::label(QRect(3135, 250, 521, 208), QStringLiteral("Город"), regular),
      ReportItem::label(QRect(5417, 260, 417, 208), QStringLiteral("RSS"), regular),
      ReportItem::label(QRect(6365, 313, 625, 208), QStringLiteral("Очки"), bold),
      ReportItem::label(QRect(3125, 427, 625, 208), QStringLiteral("Оператор"), regular),
      ReportItem::label(QRect(5417, 427, 417, 208), QStringLiteral("RSR"), regular),
      ReportItem::line(0, 646, 7292),
  };

  l.detail.area = QRect(0, 0, 7229, 448);
  l.detail.items = {
      ReportItem::field(QRect(63, 83, 677, 208), kDetailDate, regular, right),
      ReportItem::field(QRect(844, 83, 521, 208), kDetailTime, regular),
      ReportItem::field(QRect(1354, 83, 833, 208), kDetailRadio, regular),
      ReportItem::field(QRect(2167, 94, 792, 208), kDetailBand, regular),
      ReportItem::field(QRect(3073, 31, 1656, 208), kDetailQth, regular),
      ReportItem::field(QRect(4958, 21, 729, 208), kDetailRss, regular, right),
      ReportItem::field(QRect(6125, 94, 729, 208), kDetailBonus, bold, right),
      ReportItem::field(QRect(3063, 240, 1688, 208), kDetailOperator, regular),
      ReportItem::field(QRect(4958, 229, 729, 208), kDetailRsr, regular, right),
      ReportItem::line(21, 448, 7188),
  };

  l.footer.area = QRect(510, 11115, 7240, 219);
  l.footer.items = {
      ReportItem::field(QRect(3427, 21, 700, 135), 0, small),
      ReportItem::label(QRect(5135, 0, 979, 208), QStringLiteral("Всего очков:"), boldItalic),
      ReportItem::field(QRect(6125, 10, 0, 208), 1, bold, Qt::AlignHCenter),
  };

  d.headerValues = [](const ReportBandState&) {
    return QStringList{QString::fromStdString(cp1251ToUtf8(trimRight(globals().diplom)))};
  };
  d.footerValues = [](const ReportBandState& s) {
    return QStringList{QString::fromStdString(pageNumberText(s.page, false)),
                       QString::fromLatin1(formatReportNumber(s.pointsTotal).c_str()).trimmed()};
  };
  return d;
}

}  // namespace jurnal
