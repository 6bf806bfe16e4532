// Day numbers and time numbers, and the clock that says what "today" and "now" are.
// Date: day 4 is 1 January 1801 (day 0 is 28 December 1800); 0 means no date; day mod 7
// gives the weekday, 0 = Sunday. Valid dates run from 1 January 1801 to 31 December 9999.
// Time: hundredths of a second since midnight plus one (00:00:00.00 is 1, the last valid
// value 8 640 000); 0 means no time. One hour is 360 000.
#pragma once

#include <cstdint>
#include <optional>

namespace jurnal {

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const CalendarDate&) const = default;
};

struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int hundredths = 0;
  bool operator==(const ClockTime&) const = default;
};

inline constexpr std::int32_t kFirstValidDate = 4;         // 1 January 1801
inline constexpr std::int32_t kLastValidDate = 2994626;    // 31 December 9999
inline constexpr std::int32_t kTimePerHour = 360000;
inline constexpr std::int32_t kTimePerMinute = 6000;
inline constexpr std::int32_t kLastValidTime = 8640000;

// Day number of a calendar date. Day and month out of range roll over into the following
// months and years (31/02 is 3 March, or 2 March in a leap year); month 0 is December of the
// year before.
std::int32_t dateFromCalendar(int year, int month, int day);
inline std::int32_t dateFromCalendar(const CalendarDate& d) { return dateFromCalendar(d.year, d.month, d.day); }

bool isValidDate(std::int32_t date);
// The calendar date of a valid day number; nullopt for 0 and dates out of range.
std::optional<CalendarDate> calendarFromDate(std::int32_t date);

// 0 = Sunday .. 6 = Saturday.
int weekday(std::int32_t date);

std::int32_t timeFromClock(int hour, int minute, int second = 0, int hundredths = 0);
bool isValidTime(std::int32_t time);
// The clock time of a valid time number; nullopt for 0 and values out of range.
std::optional<ClockTime> clockFromTime(std::int32_t time);

// "Today" and "now" for everything that needs them; tests inject a fixed clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int32_t today() const = 0;  // local date, day number
  virtual std::int32_t now() const = 0;    // local time, time number

  // The clock the program uses; by default the system's local clock.
  static const Clock& current();
  // Replaces the program's clock (tests); nullptr restores the system clock. Not owned.
  static void setCurrent(const Clock* clock);
};

class SystemClock final : public Clock {
 public:
  std::int32_t today() const override;
  std::int32_t now() const override;
};

class FixedClock final : public Clock {
 public:
  FixedClock(std::int32_t today, std::int32_t now) : m_today(today), m_now(now) {}
  std::int32_t today() const override { return m_today; }
  std::int32_t now() const override { return m_now; }
  void set(std::int32_t today, std::int32_t now) { m_today = today; m_now = now; }

 private:
  std::int32_t m_today;
  std::int32_t m_now;
};

}  // namespace jurnal
