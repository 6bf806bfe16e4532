// Text formats of the printed reports that need no GUI library: period date, time, frequency
// text, report number and page number. The short date is the operating system's and is made
// by the report layer. Results are ASCII except pageNumberText, which is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jurnal {

// Day, full stop, two-digit month, full stop, four-digit year; the day padded with a blank
// instead of a leading zero (" 1.03.2004", ten characters). Empty for 0 and invalid dates.
std::string formatPeriodDate(std::int32_t date);

// Hours and minutes of the 24-hour clock, the hour padded with a blank (" 9:05", "14:30").
// Empty for 0 and invalid times.
std::string formatReportTime(std::int32_t time);

// The frequency as plain decimal text (no trailing zeros, no trailing point) cut to its first
// six characters: 14.074 -> "14.074", 1296.125 -> "1296.1".
std::string formatFrequencyText(double frequency);

// A number with two decimals and commas between thousands, right-aligned in ten positions
// ("     59.00"). A value that needs more than ten positions is returned whole, never cut.
std::string formatReportNumber(double value);

// The same for a text field (signal reports): blanks around the number are ignored; text that
// is not wholly a number (empty, "5A", "abc") counts as 0.
std::string formatReportNumber(std::string_view text);

// "Страница", a blank unless `withBlank` is false, then the page number right-aligned in four
// positions ("Страница    1" / "Страница   1"). UTF-8.
std::string pageNumberText(int page, bool withBlank = true);

}  // namespace jurnal
