// Display and reading of the contact form's fields, and a new contact's defaults.
#include "entry/contactfields.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>
#include <string>

#include "core/globals.h"
#include "core/plaindecimal.h"

namespace jurnal {

QString formatContactDate(std::int32_t date) {
  const auto cal = calendarFromDate(date);
  if (!cal) return {};
  return QStringLiteral("%1.%2.%3").arg(cal->day).arg(cal->month, 2, 10, QLatin1Char('0')).arg(cal->year, 4, 10, QLatin1Char('0'));
}

std::int32_t parseContactDate(const QString& text) {
  const QStringList parts = text.split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts);
  if (parts.size() != 3) return 0;
  const int day = parts[0].toInt();
  const int month = parts[1].toInt();
  int year = parts[2].toInt();
  if (parts[2].size() <= 2) year += year >= 50 ? 1900 : 2000;
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1801 || year > 9999) return 0;
  const std::int32_t date = dateFromCalendar(year, month, day);
  return isValidDate(date) ? date : 0;
}

QString formatContactTime(std::int32_t time) {
  const auto clock = clockFromTime(time);
  if (!clock) return {};
  return QStringLiteral("%1:%2").arg(clock->hour).arg(clock->minute, 2, 10, QLatin1Char('0'));
}

std::int32_t parseContactTime(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return 0;
  QStringList parts = t.split(QRegularExpression(QStringLiteral("[:.]")));
  if (parts.size() == 1 && t.size() >= 3 && t.size() <= 4) parts = {t.left(t.size() - 2), t.right(2)};
  if (parts.size() > 3) return 0;
  int values[3] = {0, 0, 0};
  for (int i = 0; i < parts.size(); ++i) {
    bool ok = false;
    values[i] = parts[i].toInt(&ok);
    if (!ok) return 0;
  }
  if (values[0] < 0 || values[0] > 23 || values[1] < 0 || values[1] > 59 || values[2] < 0 || values[2] > 59) return 0;
  return timeFromClock(values[0], values[1], values[2]);
}

QString formatContactBand(double band) {
  return band == 0 ? QString() : QString::fromStdString(formatPlainDecimal(band));
}

double parseContactBand(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  return parsePlainDecimal(t.toStdString());
}

QString formatCqBand(double band) { return QString::number(band, 'f', 3); }

QString formatContactBonus(std::int16_t bonus) {
  QString digits = QString::number(std::abs(static_cast<int>(bonus)));
  for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
  return (bonus < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(".00");
}

std::int16_t parseContactBonus(const QString& text) {
  QString t = text;
  t.remove(QLatin1Char(','));
  t.remove(QLatin1Char(' '));
  const double value = std::round(parsePlainDecimal(t.toStdString()));
  if (value <= std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  if (value >= std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(value);
}

std::int64_t utcOffsetHundredths(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string number;
  if (i < text.size() && text[i] == '-') number.push_back(text[i++]);
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number.push_back(text[i++]);
    digits = true;
  }
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    number.push_back('.');
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number.push_back(text[i++]);
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (text[j] == '-' || text[j] == '+') exponent.push_back(text[j++]);
    bool expDigits = false;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
      exponent.push_back(text[j++]);
      expDigits = true;
    }
    if (expDigits) number += exponent;
  }
  const double hours = parsePlainDecimal(number);
  // A few characters give at most a few decimals: the product is a whole count of hundredths.
  const double shift = std::round(hours * kTimePerHour);
  if (!(std::fabs(shift) < 9.0e15)) return 0;
  return static_cast<std::int64_t>(shift);
}

void fillNewContactDefaults(JurnalRecord& rec, const Clock& clock) {
  rec.date = clock.today();
  setField(rec.rss, "59");
  setField(rec.rsr, "59");
  rec.uts = clock.now();

  Globals& g = globals();
  if (g.utsEdit.bytes[0] == '+') g.utsEdit.bytes[0] = ' ';
  if (!isValidTime(rec.uts)) return;

  // Time numbers run 1..8 640 000 for one day; wrap the corrected time into the day and carry
  // whole days into the date.
  const std::int64_t day = kLastValidTime;
  const std::int64_t corrected = static_cast<std::int64_t>(rec.uts) - 1 + utcOffsetHundredths(g.utsEdit.view());
  std::int64_t days = corrected / day;
  std::int64_t rest = corrected % day;
  if (rest < 0) {
    rest += day;
    --days;
  }
  const std::int64_t date = static_cast<std::int64_t>(rec.date) + days;
  if (date < kFirstValidDate || date > kLastValidDate) {
    rec.uts = 0;  // an offset of thousands of years: no time rather than a date off the calendar
    return;
  }
  rec.date = static_cast<std::int32_t>(date);
  rec.uts = static_cast<std::int32_t>(rest + 1);
}

}  // namespace jurnal
