// Status-bar day, date and clock; the day names are a 63-character table of 9-character slots,
// Sunday first, chosen by the day number modulo 7.
#include "frame/statustext.h"

#include "core/daytime.h"

namespace jurnal {
namespace {
constexpr char kDayNames[] = "Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ";
static_assert(sizeof(kDayNames) == 63 + 1);

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }
QString blankPadded(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char(' ')); }
}  // namespace

QString statusDateText(std::int32_t date) {
  const QString name = QString::fromLatin1(kDayNames + weekday(date) * 9, 9).trimmed();
  const auto cal = calendarFromDate(date);
  if (!cal) return name + QStringLiteral(", ");
  return name + QStringLiteral(", ") + blankPadded(cal->day) + QLatin1Char('/') + twoDigits(cal->month) +
         QLatin1Char('/') + QStringLiteral("%1").arg(cal->year, 4, 10, QLatin1Char('0'));
}

QString statusTimeText(std::int32_t time) {
  const auto clock = clockFromTime(time);
  if (!clock) return QString();
  return blankPadded(clock->hour) + QLatin1Char(':') + twoDigits(clock->minute) + QLatin1Char(':') +
         twoDigits(clock->second);
}

}  // namespace jurnal
