// Plain decimal text: built from the 15-digit scientific form so that the decimal point is
// always '.', whatever locale the GUI library has set.
#include "core/plaindecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace jurnal {

namespace {
constexpr int kSignificantDigits = 15;
constexpr int kPlainExponentMin = -20;  // below this magnitude exponent form is shorter
constexpr int kPlainExponentMax = 20;
}  // namespace

std::string formatPlainDecimal(double value) {
  if (!std::isfinite(value) || value == 0.0) return "0";

  // d.dddddddddddddde±XX: the value rounded to 15 significant digits.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                 kSignificantDigits - 1);
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));

  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  const std::size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, ePos)) {
    if (c != '.') digits.push_back(c);
  }
  int exponent = 0;
  std::string_view expText = sci.substr(ePos + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (negative) out.push_back('-');
  if (exponent < kPlainExponentMin || exponent > kPlainExponentMax) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('e');
    out.push_back(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out.push_back('0');
    out += std::to_string(magnitude);
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(exponent) + 1);
    out.push_back('.');
    out.append(digits, static_cast<std::size_t>(exponent) + 1);
  }
  return out;
}

double parsePlainDecimal(std::string_view text) {
  std::size_t i = 0;
  // The white space strtod skips in the "C" locale.
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // from_chars takes no sign of its own beyond '-': a second sign means no number.
  if (i >= text.size() || text[i] == '+' || text[i] == '-') return 0.0;
  double value = 0.0;
  const auto res = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                   std::chars_format::general);
  if (res.ec != std::errc() || !std::isfinite(value)) return 0.0;
  return negative ? -value : value;
}

}  // namespace jurnal
