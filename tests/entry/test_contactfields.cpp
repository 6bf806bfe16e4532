// A new contact's defaults with the UTC offset (times near midnight wrap into the next or
// previous day), the offset's reading, and the form's date, time and points texts.
#include <gtest/gtest.h>

#include "core/daytime.h"
#include "core/globals.h"
#include "core/records.h"
#include "entry/contactfields.h"

using namespace jurnal;

TEST(ContactDefaults, LocalTimeIsCorrectedToUtcAcrossMidnight) {
  struct Case {
    const char* offset;
    CalendarDate today;
    ClockTime now;
    CalendarDate date;   // expected
    ClockTime time;      // expected
    const char* global;  // Glo:UTSEDIT afterwards
  };
  const CalendarDate d{2004, 3, 5};
  const Case cases[] = {
      {"-3", d, {10, 15, 30}, d, {7, 15, 30}, "-3"},
      {"+3", d, {10, 15, 30}, d, {13, 15, 30}, " 3"},  // the "+" is rewritten in the global
      {" 3", d, {10, 15, 30}, d, {13, 15, 30}, " 3"},
      {"5.5", d, {10, 15, 30}, d, {15, 45, 30}, "5.5"},
      {"5,5", d, {10, 15, 30}, d, {15, 45, 30}, "5,5"},
      {"abc", d, {10, 15, 30}, d, {10, 15, 30}, "abc"},
      {"", d, {10, 15, 30}, d, {10, 15, 30}, ""},
      {" +3", d, {10, 15, 30}, d, {10, 15, 30}, " +3"},  // blank first: not a number
      {"-3", d, {1, 30}, {2004, 3, 4}, {22, 30}, "-3"},
      {"3", d, {22, 30}, {2004, 3, 6}, {1, 30}, "3"},
      {"3", d, {21, 0}, {2004, 3, 6}, {0, 0}, "3"},             // exactly midnight
      {"-1", d, {0, 0}, {2004, 3, 4}, {23, 0}, "-1"},
      {"-3", {2004, 1, 1}, {1, 0}, {2003, 12, 31}, {22, 0}, "-3"},
      {"5.5", {2004, 2, 28}, {20, 0}, {2004, 2, 29}, {1, 30}, "5.5"},  // leap day
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("offset '") + c.offset + "' at " + std::to_string(c.now.hour) + ":" +
                 std::to_string(c.now.minute));
    resetGlobals();
    globals().utsEdit.set(c.offset);
    const FixedClock clock(dateFromCalendar(c.today), timeFromClock(c.now.hour, c.now.minute, c.now.second));
    JurnalRecord rec;
    rec.clear();
    fillNewContactDefaults(rec, clock);
    EXPECT_EQ(calendarFromDate(rec.date), c.date);
    EXPECT_EQ(clockFromTime(rec.uts), c.time);
    EXPECT_EQ(fieldText(rec.rss), "59");
    EXPECT_EQ(fieldText(rec.rsr), "59");
    EXPECT_EQ(globals().utsEdit.trimmed(), c.global);
  }
  resetGlobals();
}

TEST(ContactDefaults, OffsetIsReadAsTheFormReadsNumbers) {
  struct Case {
    const char* text;
    double hours;
  };
  const Case cases[] = {
      {"-3", -3}, {" 3", 3}, {"5.5", 5.5}, {"5,5", 5.5}, {"abc", 0}, {"", 0}, {" +3", 0},
      {"-", 0},   {".5", 0.5}, {"1E1", 10}, {"2x", 2},   {"-0", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(utcOffsetHundredths(c.text), static_cast<std::int64_t>(c.hours * kTimePerHour));
  }
}

TEST(ContactFields, TextsOfTheEntriesReadBackAsShown) {
  EXPECT_EQ(formatContactDate(dateFromCalendar(2004, 3, 5)).toStdString(), "5.03.2004");
  EXPECT_EQ(formatContactDate(0).toStdString(), "");
  EXPECT_EQ(formatContactTime(timeFromClock(7, 5, 59)).toStdString(), "7:05");
  EXPECT_EQ(formatContactTime(0).toStdString(), "");
  EXPECT_EQ(formatContactBonus(1234).toStdString(), "1,234.00");
  EXPECT_EQ(formatContactBonus(-32768).toStdString(), "-32,768.00");
  EXPECT_EQ(formatCqBand(14.074).toStdString(), "14.074");

  struct DateCase {
    const char* text;
    std::int32_t date;
  };
  const DateCase dates[] = {
      {"5.03.2004", dateFromCalendar(2004, 3, 5)}, {"05.3.04", dateFromCalendar(2004, 3, 5)},
      {"31.12.1999", dateFromCalendar(1999, 12, 31)}, {"", 0}, {"32.01.2004", 0}, {"1.13.2004", 0}, {"abc", 0},
  };
  for (const DateCase& c : dates) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseContactDate(QString::fromUtf8(c.text)), c.date);
  }
  struct TimeCase {
    const char* text;
    std::int32_t time;
  };
  const TimeCase times[] = {
      {"7:05", timeFromClock(7, 5)}, {"23:59:59", timeFromClock(23, 59, 59)}, {"0:00", timeFromClock(0, 0)},
      {"1530", timeFromClock(15, 30)}, {"24:00", 0}, {"7:60", 0}, {"", 0}, {"x", 0},
  };
  for (const TimeCase& c : times) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseContactTime(QString::fromUtf8(c.text)), c.time);
  }
  EXPECT_EQ(parseContactBonus(QStringLiteral("1,234")), 1234);
  EXPECT_EQ(parseContactBonus(QStringLiteral("2.6")), 3);
  EXPECT_EQ(parseContactBonus(QStringLiteral("99999")), 32767);
  EXPECT_EQ(parseContactBonus(QStringLiteral("-99999")), -32768);
  EXPECT_DOUBLE_EQ(parseContactBand(QStringLiteral("7,05")), 7.05);
}
