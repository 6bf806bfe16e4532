// Progress estimators. The text estimator reads a text as a fraction in a positional system
// whose digits are the letters and digits in key order (digits, Latin, Cyrillic), so that
// texts in key order give non-decreasing positions.
#include "platform/progressestimator.h"

#include <algorithm>
#include <cmath>

#include "core/win1251.h"

namespace jurnal {

namespace {

// Rank of one upper-cased Windows-1251 character in key order, 0 when it is neither a
// letter nor a digit. Key order is Unicode order of the upper-case text.
int rankOf(char c) {
  const char32_t u = cp1251ToUnicode(static_cast<unsigned char>(upperCp1251(c)));
  if (u >= U'0' && u <= U'9') return 1 + static_cast<int>(u - U'0');
  if (u >= U'A' && u <= U'Z') return 11 + static_cast<int>(u - U'A');
  if (u >= 0x400 && u <= 0x4FF) return 37 + static_cast<int>(u - 0x400);
  return 0;
}

constexpr double kBase = 37 + 256;  // one more than the highest rank
constexpr std::size_t kDigits = 6;  // 293^6 stays inside a double's exact integers

// The letters and digits of a text, upper-cased, as ranks 1..292.
std::u16string lettersOf(std::string_view text) {
  std::u16string out;
  for (char c : text) {
    const int r = rankOf(c);
    if (r > 0) out.push_back(static_cast<char16_t>(r));
  }
  return out;
}

int rankAt(const std::u16string& letters, std::size_t i) { return i < letters.size() ? letters[i] : 0; }

}  // namespace

void ProgressEstimator::setLimits(double first, double last) {
  m_first = first;
  m_last = last;
}

void ProgressEstimator::setLimits(std::string_view first, std::string_view last) {
  const std::u16string a = lettersOf(first);
  const std::u16string b = lettersOf(last);
  std::size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
  m_prefix = a.substr(0, common);
  m_firstPos = textPosition(a);
  m_lastPos = textPosition(b);
}

int ProgressEstimator::percentage(double value) const {
  if (m_last == m_first) return 50;
  const double raw = std::trunc((value - m_first) * 100.0 / (m_last - m_first));
  if (!(raw >= 1.0)) return 1;  // also catches not-a-number
  if (raw > 1.0e9) return 1000000000;
  return static_cast<int>(raw);
}

double ProgressEstimator::textPosition(const std::u16string& letters) const {
  // Below the common beginning: before the first step; above it: past the last.
  const int order = std::u16string_view(letters).substr(0, m_prefix.size()).compare(m_prefix);
  if (order < 0) return -1.0;
  if (order > 0) return 2.0;
  double pos = 0.0;
  double weight = 1.0;
  for (std::size_t k = 0; k < kDigits; ++k) {
    weight /= kBase;
    pos += rankAt(letters, m_prefix.size() + k) * weight;
  }
  return pos;
}

int ProgressEstimator::percentage(std::string_view value) const {
  const double pos = textPosition(lettersOf(value));
  int steps;
  if (m_lastPos <= m_firstPos) {
    steps = pos >= m_firstPos ? 100 : 0;
  } else {
    steps = static_cast<int>(std::floor((pos - m_firstPos) * 100.0 / (m_lastPos - m_firstPos)));
  }
  return std::clamp(steps, 1, 100);
}

}  // namespace jurnal
