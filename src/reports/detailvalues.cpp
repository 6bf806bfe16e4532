// The values of a detail band, the same for every report: each layout picks the ones it shows.
#include <QDate>
#include <QLocale>

#include "core/daytime.h"
#include "core/reportformat.h"
#include "core/win1251.h"
#include "reports/reportdefinition.h"

namespace jurnal {

namespace {

QString shortDate(std::int32_t date) {
  const auto cal = calendarFromDate(date);
  if (!cal) return {};
  return QLocale().toString(QDate(cal->year, cal->month, cal->day), QLocale::ShortFormat);
}

// The first n characters of a Windows-1251 field.
template <std::size_t N>
QString textN(const char (&field)[N], std::size_t n) {
  return QString::fromStdString(cp1251ToUtf8(fieldText(field).substr(0, n)));
}

QString ascii(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

}  // namespace

QStringList detailValues(const JurnalRecord& rec) {
  QStringList values;
  values.reserve(kDetailBonus + 1);
  values << shortDate(rec.date)                                   // kDetailDate
         << ascii(formatReportTime(rec.uts))                      // kDetailTime
         << ascii(formatFrequencyText(rec.band))                  // kDetailBand
         << textN(rec.operatorName, 12)                           // kDetailOperator
         // The whole callsign: portable calls such as UA3ABC/MM need all 12 characters.
         << textN(rec.radio, 12)                                  // kDetailRadio
         << textN(rec.qth, 15)                                    // kDetailQth
         << ascii(formatReportNumber(fieldView(rec.rss)))         // kDetailRss
         << ascii(formatReportNumber(fieldView(rec.rsr)))         // kDetailRsr
         << ascii(formatReportNumber(static_cast<double>(rec.bonus)));  // kDetailBonus
  return values;
}

}  // namespace jurnal
