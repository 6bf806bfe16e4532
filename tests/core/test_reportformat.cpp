// Report text formats: period date, time, frequency text, report number, page number.
#include <gtest/gtest.h>

#include "core/daytime.h"
#include "core/reportformat.h"

namespace jurnal {
namespace {

TEST(ReportFormat, DatesAndTimes) {
  EXPECT_EQ(formatPeriodDate(dateFromCalendar(2004, 3, 1)), " 1.03.2004");
  EXPECT_EQ(formatPeriodDate(dateFromCalendar(2004, 12, 31)), "31.12.2004");
  EXPECT_EQ(formatPeriodDate(0), "");
  EXPECT_EQ(formatReportTime(timeFromClock(9, 5)), " 9:05");
  EXPECT_EQ(formatReportTime(timeFromClock(0, 0)), " 0:00");
  EXPECT_EQ(formatReportTime(timeFromClock(23, 59, 59, 99)), "23:59");
  EXPECT_EQ(formatReportTime(0), "");
}

TEST(ReportFormat, FrequencyTextIsCutToSixCharacters) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {14.074, "14.074"}, {144.8, "144.8"}, {1296.125, "1296.1"}, {7, "7"},
      {3.5, "3.5"},       {0.136, "0.136"}, {10368.1, "10368."}, {0, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(formatFrequencyText(c.value), c.text);
  }
}

TEST(ReportFormat, ReportNumbersHaveTwoDecimalsCommasAndTenPositions) {
  const struct {
    const char* text;
    const char* out;
  } texts[] = {
      {"59", "     59.00"}, {"  59 ", "     59.00"}, {"5", "      5.00"}, {"", "      0.00"},
      {"5A", "      0.00"}, {"abc", "      0.00"}, {"-7", "     -7.00"}, {"0.125", "      0.13"},
      {"99999", " 99,999.00"}, {"1e3", "      0.00"}, {".", "      0.00"}, {"5 9", "      0.00"},
  };
  for (const auto& c : texts) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(formatReportNumber(std::string_view(c.text)), c.out);
  }
  EXPECT_EQ(formatReportNumber(18.0), "     18.00");
  EXPECT_EQ(formatReportNumber(1234567.0), "1,234,567.00");  // wider than ten: never cut
  EXPECT_EQ(formatReportNumber(-32768.0), "-32,768.00");
  EXPECT_EQ(formatReportNumber(1000.0), "  1,000.00");
}

TEST(ReportFormat, PageNumberWithAndWithoutBlank) {
  EXPECT_EQ(pageNumberText(1), "Страница    1");
  EXPECT_EQ(pageNumberText(1, false), "Страница   1");
  EXPECT_EQ(pageNumberText(1234), "Страница 1234");
  EXPECT_EQ(pageNumberText(12, false), "Страница  12");
}

}  // namespace
}  // namespace jurnal
