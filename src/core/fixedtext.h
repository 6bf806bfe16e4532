// Fixed-width Windows-1251 text: a field of n bytes padded on the right with blanks.
// Trailing blanks carry no meaning in any comparison; a field of blanks is empty.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace jurnal {

// The text without its trailing blanks.
inline std::string_view trimRight(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

inline bool isBlank(std::string_view text) { return trimRight(text).empty(); }

// Stores text into a field of `width` bytes: cut to the width, padded with blanks.
inline void storeField(char* field, std::size_t width, std::string_view text) {
  const std::size_t n = std::min(width, text.size());
  std::memcpy(field, text.data(), n);
  std::memset(field + n, ' ', width - n);
}

// A fixed-width text value of N bytes (globals, record fields). Layout: exactly N chars.
template <std::size_t N>
struct FixedText {
  char bytes[N];

  FixedText() { clear(); }
  explicit FixedText(std::string_view text) { set(text); }

  void clear() { std::memset(bytes, ' ', N); }
  void set(std::string_view cp1251) { storeField(bytes, N, cp1251); }
  std::string_view view() const { return std::string_view(bytes, N); }
  std::string_view trimmed() const { return trimRight(view()); }
  bool empty() const { return trimmed().empty(); }
  static constexpr std::size_t width() { return N; }

  // Equal when the texts agree up to trailing blanks.
  bool operator==(std::string_view other) const { return trimmed() == trimRight(other); }
};

// Field access for raw char arrays inside packed record layouts.
template <std::size_t N>
std::string_view fieldView(const char (&field)[N]) { return std::string_view(field, N); }
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) { return trimRight(std::string_view(field, N)); }
template <std::size_t N>
void setField(char (&field)[N], std::string_view text) { storeField(field, N, text); }

}  // namespace jurnal
