// Report text formats: fixed-position texts built by hand so that no locale changes them.
#include "core/reportformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/daytime.h"
#include "core/plaindecimal.h"

namespace jurnal {

namespace {

std::string padLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string formatPeriodDate(std::int32_t date) {
  const auto cal = calendarFromDate(date);
  if (!cal) return {};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d.%02d.%04d", cal->day, cal->month, cal->year);
  return buf;
}

std::string formatReportTime(std::int32_t time) {
  const auto clock = clockFromTime(time);
  if (!clock) return {};
  char buf[8];
  std::snprintf(buf, sizeof buf, "%2d:%02d", clock->hour, clock->minute);
  return buf;
}

std::string formatFrequencyText(double frequency) {
  std::string text = formatPlainDecimal(frequency);
  if (text.size() > 6) text.resize(6);
  return text;
}

std::string formatReportNumber(double value) {
  if (!std::isfinite(value)) value = 0.0;
  // Whole hundredths, rounded half away from zero; a signal report or a points total stays
  // far inside the range of a 64-bit count.
  const double scaled = std::round(std::fabs(value) * 100.0);
  if (scaled >= 9.0e17) return padLeft("0.00", 10);
  const auto hundredths = static_cast<long long>(scaled);
  std::string whole = std::to_string(hundredths / 100);
  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(whole[i]);
  }
  char cents[4];
  std::snprintf(cents, sizeof cents, "%02lld", hundredths % 100);
  std::string text = (hundredths != 0 && value < 0 ? "-" : "") + grouped + "." + cents;
  return padLeft(std::move(text), 10);
}

std::string formatReportNumber(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  std::string_view number = text.substr(begin, end - begin);
  bool negative = false;
  if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0.0;
  // Only digits with at most one decimal point: no exponent, no hex, no text after it.
  const bool plain = !number.empty() && number.find_first_not_of("0123456789.") == std::string_view::npos &&
                     number.find('.') == number.rfind('.') && number != ".";
  if (plain) {
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size()) value = 0.0;
  }
  return formatReportNumber(negative ? -value : value);
}

std::string pageNumberText(int page, bool withBlank) {
  std::string text = "Страница";
  if (withBlank) text.push_back(' ');
  return text + padLeft(std::to_string(page), 4);
}

}  // namespace jurnal
