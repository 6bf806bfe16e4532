// Calendar arithmetic for day numbers (proleptic Gregorian) and the system clock.
#include "core/daytime.h"

#include <chrono>
#include <ctime>

namespace jurnal {
namespace {

// Days from 1970-01-01 to y-m-d (Howard Hinnant's civil calendar algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CalendarDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const std::int64_t kEpoch = daysFromCivil(1800, 12, 28);  // day 0

const Clock* g_clock = nullptr;

}  // namespace

std::int32_t dateFromCalendar(int year, int month, int day) {
  // Months out of 1..12 carry into the year; days out of range carry through the calendar.
  std::int64_t y = year;
  std::int64_t m = month - 1;
  y += m >= 0 ? m / 12 : (m - 11) / 12;
  m = ((m % 12) + 12) % 12;
  const std::int64_t first = daysFromCivil(y, static_cast<unsigned>(m + 1), 1);
  return static_cast<std::int32_t>(first + (day - 1) - kEpoch);
}

bool isValidDate(std::int32_t date) { return date >= kFirstValidDate && date <= kLastValidDate; }

std::optional<CalendarDate> calendarFromDate(std::int32_t date) {
  if (!isValidDate(date)) return std::nullopt;
  return civilFromDays(kEpoch + date);
}

int weekday(std::int32_t date) { return ((date % 7) + 7) % 7; }

std::int32_t timeFromClock(int hour, int minute, int second, int hundredths) {
  return hour * kTimePerHour + minute * kTimePerMinute + second * 100 + hundredths + 1;
}

bool isValidTime(std::int32_t time) { return time >= 1 && time <= kLastValidTime; }

std::optional<ClockTime> clockFromTime(std::int32_t time) {
  if (!isValidTime(time)) return std::nullopt;
  std::int32_t t = time - 1;
  ClockTime c;
  c.hour = t / kTimePerHour;
  t %= kTimePerHour;
  c.minute = t / kTimePerMinute;
  t %= kTimePerMinute;
  c.second = t / 100;
  c.hundredths = t % 100;
  return c;
}

const Clock& Clock::current() {
  static const SystemClock system;
  return g_clock ? *g_clock : system;
}

void Clock::setCurrent(const Clock* clock) { g_clock = clock; }

namespace {
std::tm localNow(int* hundredths) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  if (hundredths) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    *hundredths = static_cast<int>(ms / 10);
  }
  return tm;
}
}  // namespace

std::int32_t SystemClock::today() const {
  const std::tm tm = localNow(nullptr);
  return dateFromCalendar(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

std::int32_t SystemClock::now() const {
  int hundredths = 0;
  const std::tm tm = localNow(&hundredths);
  const int second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second stays within the day
  return timeFromClock(tm.tm_hour, tm.tm_min, second, hundredths);
}

}  // namespace jurnal
