// Windows-1251 text: the code page table, UTF-8 at the edges and upper-casing with Cyrillic.
#include <gtest/gtest.h>

#include <string>

#include "core/win1251.h"

using namespace jurnal;

TEST(Win1251, EveryByteSurvivesUtf8RoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = cp1251ToUtf8(all);
  EXPECT_EQ(utf8ToCp1251(utf8), all);
  // Each byte on its own, and each maps to a distinct code point.
  std::u32string seen;
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const char c = static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(std::string(1, c))), std::string(1, c));
    const char32_t cp = cp1251ToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(seen.find(cp), std::u32string::npos);
    seen.push_back(cp);
    EXPECT_EQ(unicodeToCp1251(cp), c);
  }
}

TEST(Win1251, SelectedCodePoints) {
  const struct { unsigned char byte; char32_t cp; } cases[] = {
      {0x41, U'A'}, {0xC0, U'А'}, {0xDF, U'Я'}, {0xE0, U'а'}, {0xFF, U'я'}, {0xA8, U'Ё'},
      {0xB8, U'ё'}, {0xB9, U'№'}, {0x88, U'€'}, {0x96, U'–'}, {0xA0, 0x00A0}, {0xAB, U'«'},
      {0xBB, U'»'}, {0xB2, U'І'}, {0xA5, U'Ґ'}, {0x98, 0x0098},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(cp1251ToUnicode(c.byte), c.cp);
    EXPECT_EQ(static_cast<unsigned char>(unicodeToCp1251(c.cp)), c.byte);
  }
  EXPECT_EQ(cp1251ToUtf8("\xC6\xF3\xF0\xED\xE0\xEB \xEE\xEF\xE5\xF0\xE0\xF2\xEE\xF0\xE0"),
            "Журнал оператора");
  EXPECT_EQ(utf8ToCp1251("Журнал оператора"), "\xC6\xF3\xF0\xED\xE0\xEB \xEE\xEF\xE5\xF0\xE0\xF2\xEE\xF0\xE0");
}

TEST(Win1251, CharactersOutsideThePageAndInvalidUtf8BecomeQuestionMarks) {
  const struct { const char* name; std::string utf8; std::string cp1251; } cases[] = {
      {"e acute", "caf\xC3\xA9", "caf?"},
      {"CJK", "\xE4\xB8\xAD", "?"},
      {"emoji", "a\xF0\x9F\x93\xBB" "b", "a?b"},
      {"lone continuation", "a\x80" "b", "a?b"},
      {"invalid lead", "\xFF\xFE", "??"},
      {"cut sequence at end", "a\xD0", "a?"},
      {"cut sequence then ASCII", "\xD0" "A", "?A"},
      {"overlong NUL", std::string("a\xC0\x80" "b"), "a?b"},
      {"overlong slash", "\xE0\x80\xAF", "?"},
      {"overlong A", "\xC1\x81", "?"},
      {"surrogate", "\xED\xA0\x80", "?"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
  }
}

TEST(Win1251, UpperCaseCoversCyrillic) {
  const struct { const char* in; const char* out; } cases[] = {
      {"\xE0\xE1\xE2", "\xC0\xC1\xC2"},  // абв -> АБВ
      {"\xFF", "\xDF"},                  // я -> Я
      {"\xB8", "\xA8"},                  // ё -> Ё
      {"\xA8\xC0\xDF", "\xA8\xC0\xDF"},  // capitals stay
      {"\xB3\xBF\xBA\xB4\xA2", "\xB2\xAF\xAA\xA5\xA1"},  // і ї є ґ ў
      {"\x9A\x90", "\x8A\x80"},          // љ ђ
      {"ua3abc/mm", "UA3ABC/MM"},
      {"0123456789 -/.,#", "0123456789 -/.,#"},
      {"\xB9\xAB\xBB\x96", "\xB9\xAB\xBB\x96"},  // № « » – have no case
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(upperCp1251(std::string_view(c.in)), c.out);
  }
  // Every lower-case letter of the page has a different capital that itself stays put.
  for (int b = 0; b < 256; ++b) {
    const char up = upperCp1251(static_cast<char>(b));
    EXPECT_EQ(upperCp1251(up), up) << b;
  }
}
