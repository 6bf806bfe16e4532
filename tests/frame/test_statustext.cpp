// The status-bar day, date and clock texts.
#include <gtest/gtest.h>

#include "core/daytime.h"
#include "frame/statustext.h"

using namespace jurnal;

TEST(StatusText, DayNameAndDateWithBlankForLeadingZero) {
  const struct { int y, m, d; const char* expected; } cases[] = {
      {2004, 3, 5, "Friday,  5/03/2004"},
      {2006, 1, 1, "Sunday,  1/01/2006"},
      {2005, 12, 31, "Saturday, 31/12/2005"},
      {2026, 12, 9, "Wednesday,  9/12/2026"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(statusDateText(dateFromCalendar(c.y, c.m, c.d)).toStdString(), c.expected);
  }
}

TEST(StatusText, ClockWithBlankForLeadingZeroOfTheHour) {
  const struct { int h, m, s; const char* expected; } cases[] = {
      {9, 7, 3, " 9:07:03"}, {23, 59, 59, "23:59:59"}, {0, 0, 0, " 0:00:00"}, {10, 0, 5, "10:00:05"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(statusTimeText(timeFromClock(c.h, c.m, c.s, 99)).toStdString(), c.expected);
  }
}
