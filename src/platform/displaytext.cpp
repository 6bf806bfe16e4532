// Conversions of record fields for display.
#include "platform/displaytext.h"

#include <QDate>
#include <QLocale>

#include "core/daytime.h"
#include "core/win1251.h"

namespace jurnal {

QString displayText(std::string_view cp1251) { return QString::fromStdString(cp1251ToUtf8(cp1251)); }

QString shortDateText(std::int32_t date) {
  const auto d = calendarFromDate(date);
  return d ? QLocale().toString(QDate(d->year, d->month, d->day), QLocale::ShortFormat) : QString();
}

}  // namespace jurnal
