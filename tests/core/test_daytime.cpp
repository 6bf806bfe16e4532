// Day numbers and time numbers: anchors, weekdays, roll-over, leap years and the limits.
#include <gtest/gtest.h>

#include "core/daytime.h"

using namespace jurnal;

TEST(DayTime, DayNumberAnchorsAndWeekdays) {
  const struct { int y, m, d; std::int32_t date; int weekday; } cases[] = {
      {1800, 12, 28, 0, 0},  {1801, 1, 1, 4, 4},    {1900, 1, 1, 36163, 1},
      {2005, 12, 31, -1, 6}, {2006, 1, 1, -1, 0},   {2004, 3, 5, -1, 5},
      {2000, 2, 29, -1, 2},  {9999, 12, 31, kLastValidDate, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.y << "-" << c.m << "-" << c.d);
    const std::int32_t date = dateFromCalendar(c.y, c.m, c.d);
    if (c.date >= 0) {
      EXPECT_EQ(date, c.date);
    }
    EXPECT_EQ(weekday(date), c.weekday);
    if (date >= kFirstValidDate) {
      const auto back = calendarFromDate(date);
      ASSERT_TRUE(back.has_value());
      EXPECT_EQ(*back, (CalendarDate{c.y, c.m, c.d}));
    }
  }
  EXPECT_EQ(dateFromCalendar(2006, 1, 1) - dateFromCalendar(2005, 12, 31), 1);
}

TEST(DayTime, OutOfRangeDaysAndMonthsRollOver) {
  const struct { int y, m, d; CalendarDate is; } cases[] = {
      {2005, 2, 31, {2005, 3, 3}}, {2004, 2, 31, {2004, 3, 2}}, {2005, 2, 29, {2005, 3, 1}},
      {1900, 2, 29, {1900, 3, 1}}, {2100, 2, 29, {2100, 3, 1}}, {2000, 2, 29, {2000, 2, 29}},
      {2005, 13, 1, {2006, 1, 1}}, {2005, 0, 15, {2004, 12, 15}}, {2005, 3, 0, {2005, 2, 28}},
      {2004, 3, 0, {2004, 2, 29}}, {2005, 1, 366, {2006, 1, 1}}, {2005, 25, 1, {2007, 1, 1}},
      {2005, -1, 1, {2004, 11, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.y << "-" << c.m << "-" << c.d);
    EXPECT_EQ(calendarFromDate(dateFromCalendar(c.y, c.m, c.d)), c.is);
  }
}

// Every valid day: the calendar date comes back to the same day number, and day n+1 is
// the calendar day after day n.
TEST(DayTime, EveryValidDayRoundTrips) {
  CalendarDate prev = *calendarFromDate(kFirstValidDate);
  EXPECT_EQ(prev, (CalendarDate{1801, 1, 1}));
  for (std::int32_t date = kFirstValidDate + 1; date <= kLastValidDate; ++date) {
    const auto cal = calendarFromDate(date);
    ASSERT_TRUE(cal.has_value()) << date;
    ASSERT_EQ(dateFromCalendar(*cal), date);
    const bool nextDay = cal->year == prev.year && cal->month == prev.month && cal->day == prev.day + 1;
    const bool nextMonth = cal->day == 1 && ((cal->year == prev.year && cal->month == prev.month + 1) ||
                                             (cal->year == prev.year + 1 && cal->month == 1 && prev.month == 12));
    ASSERT_TRUE(nextDay || nextMonth) << date;
    if (nextMonth) {
      // The last day of each month, leap years by the Gregorian rule.
      const bool leap = (prev.year % 4 == 0 && prev.year % 100 != 0) || prev.year % 400 == 0;
      const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
      ASSERT_EQ(prev.day, days[prev.month - 1]) << date;
    }
    prev = *cal;
  }
  EXPECT_EQ(prev, (CalendarDate{9999, 12, 31}));
}

TEST(DayTime, InvalidDayNumbersHaveNoDate) {
  for (std::int32_t date : {0, 1, 3, -1, -100000, kLastValidDate + 1, INT32_MAX, INT32_MIN}) {
    SCOPED_TRACE(date);
    EXPECT_FALSE(isValidDate(date));
    EXPECT_EQ(calendarFromDate(date), std::nullopt);
  }
}

TEST(DayTime, TimeNumbers) {
  const struct { int h, m, s, cs; std::int32_t time; } cases[] = {
      {0, 0, 0, 0, 1}, {0, 0, 0, 1, 2}, {0, 0, 1, 0, 101}, {0, 1, 0, 0, 6001},
      {1, 0, 0, 0, 360001}, {12, 34, 56, 78, 4529679}, {23, 59, 59, 99, 8640000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    EXPECT_EQ(timeFromClock(c.h, c.m, c.s, c.cs), c.time);
    EXPECT_EQ(clockFromTime(c.time), (ClockTime{c.h, c.m, c.s, c.cs}));
  }
  for (std::int32_t time : {0, -1, kLastValidTime + 1}) {
    SCOPED_TRACE(time);
    EXPECT_FALSE(isValidTime(time));
    EXPECT_EQ(clockFromTime(time), std::nullopt);
  }
}

TEST(DayTime, InjectedClockReplacesTheSystemClock) {
  FixedClock fixed(dateFromCalendar(2006, 1, 1), timeFromClock(12, 0));
  Clock::setCurrent(&fixed);
  EXPECT_EQ(Clock::current().today(), dateFromCalendar(2006, 1, 1));
  EXPECT_EQ(Clock::current().now(), timeFromClock(12, 0));
  Clock::setCurrent(nullptr);
  const std::int32_t today = Clock::current().today();
  EXPECT_TRUE(isValidDate(today));
  EXPECT_GT(today, dateFromCalendar(2020, 1, 1));
  EXPECT_TRUE(isValidTime(Clock::current().now()));
}
