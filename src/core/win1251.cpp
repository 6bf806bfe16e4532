// Windows-1251 tables: the upper half (0x80..0xFF) as code points; the lower half is ASCII.
#include "core/win1251.h"

#include <array>

namespace jurnal {
namespace {

constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98 (0x98 undefined)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0 А..
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // ..Я
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0 а..
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // ..я
};

// Lower-case letters of the upper half that are not in the а..я run, with their capitals.
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kOtherCases = {{
    {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
    {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
    {0xB8, 0xA8}, {0xBA, 0xAA}, {0xB3, 0xB2}, {0xBF, 0xAF}, {0xBE, 0xBD},
}};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

char32_t cp1251ToUnicode(unsigned char byte) {
  return byte < 0x80 ? byte : kUpperHalf[byte - 0x80];
}

char unicodeToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::string cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  cp1251ToUtf8(cp1251, out);
  return out;
}

void cp1251ToUtf8(std::string_view cp1251, std::string& out) {
  out.clear();
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) appendUtf8(out, cp1251ToUnicode(static_cast<unsigned char>(c)));
}

std::string utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  const std::size_t n = utf8.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80) {
      out.push_back(static_cast<char>(b0));
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; }
    else { out.push_back('?'); ++i; continue; }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= n) { ok = false; break; }
      const auto b = static_cast<unsigned char>(utf8[i + k]);
      if ((b & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) { out.push_back('?'); ++i; continue; }
    // An overlong form (C0 80 for NUL, E0 80 AF for '/') is invalid: it would smuggle
    // control characters and separators past checks made on the UTF-8 text.
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra]) { out.push_back('?'); i += extra + 1; continue; }
    out.push_back(unicodeToCp1251(cp));
    i += extra + 1;
  }
  return out;
}

char upperCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0) return static_cast<char>(b - 32);
  if (b >= 0x80) {
    for (auto [lower, upper] : kOtherCases) {
      if (lower == b) return static_cast<char>(upper);
    }
  }
  return c;
}

std::string upperCp1251(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperCp1251(c);
  return out;
}

}  // namespace jurnal
