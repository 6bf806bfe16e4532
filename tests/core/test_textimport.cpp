// Reading jurnal.txt: the comma-delimited reader, the field conversions and the round trip
// through the export's line format.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "core/daytime.h"
#include "core/textexport.h"
#include "core/textimport.h"
#include "core/win1251.h"

using namespace jurnal;

namespace {

// The thirteen fields of a TXT record without their padding, joined by "|".
std::string joined(const TxtRecord& r) {
  const std::string_view fields[] = {
      fieldText(r.date),    fieldText(r.uts),          fieldText(r.band),   fieldText(r.radio),
      fieldText(r.rss),     fieldText(r.rsr),          fieldText(r.qth),    fieldText(r.operatorName),
      fieldText(r.diplom),  fieldText(r.bonus),        fieldText(r.remarks), fieldText(r.qslRes),
      fieldText(r.qlsSend),
  };
  std::string out;
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (i) out += '|';
    out += fields[i];
  }
  return out;
}

std::vector<std::string> readAllRecords(std::string_view bytes) {
  TextImport reader(bytes);
  std::vector<std::string> out;
  TxtRecord r;
  while (reader.next(r)) out.push_back(joined(r));
  return out;
}

// Fixes "today" at 15 June 2024 for the century window.
class FixedToday : public ::testing::Test {
 protected:
  void SetUp() override { Clock::setCurrent(&m_clock); }
  void TearDown() override { Clock::setCurrent(nullptr); }
  FixedClock m_clock{dateFromCalendar(2024, 6, 15), timeFromClock(12, 0)};
};

}  // namespace

TEST(TextImportReader, SplitsRecordsAndFields) {
  const std::string moscowComma = utf8ToCp1251("Москва, центр");
  const struct {
    const char* what;
    std::string input;
    std::vector<std::string> records;
  } cases[] = {
      {"four fields, the rest blank", " 5/03/04, 7:05,14.074,TEST1\r\n",
       {"5/03/04|7:05|14.074|TEST1|||||||||"}},
      {"quoted location with a comma is one field", "a,b,c,d,e,f,\"" + moscowComma + "\",op\r\n",
       {"a|b|c|d|e|f|" + moscowComma + "|op|||||"}},
      {"the same unquoted splits and shifts the rest", "a,b,c,d,e,f," + moscowComma + ",op\r\n",
       {"a|b|c|d|e|f|" + utf8ToCp1251("Москва") + "|" + utf8ToCp1251("центр") + "|op||||"}},
      {"doubled quotes stand for one", ",,,\"AB\"\"C\",x\r\n", {"|||AB\"C|x||||||||"}},
      {"CR LF inside quotes is data", ",,,\"A\r\nB\",x\r\nnext\r\n", {"|||A\r\nB|x||||||||", "next||||||||||||"}},
      {"text after the closing quote is ignored", "\"AB\"xyz,C\r\n", {"AB|C|||||||||||"}},
      {"blanks, tabs and CRs before a field are skipped; blanks before a comma stay",
       "  A  ,\t\r B,\rC\r\n", {"A|B|C||||||||||"}},
      {"a lone CR or LF is data", "A\rB,C\nD\r\n", {"A\rB|C\nD|||||||||||"}},
      {"LF-only lines make one record", "a,b\nc,d\ne\n", {"a|b\nc|d\ne\n||||||||||"}},
      {"Ctrl-Z ends the file inside a record", "A,B\r\nC,D\x1A" "E,F\r\nG\r\n", {"A|B|||||||||||", "C|D|||||||||||"}},
      {"Ctrl-Z on a line of its own adds nothing", "A\r\n\x1A", {"A||||||||||||"}},
      {"Ctrl-Z inside quotes ends the file too", "\"A\x1A\",B\r\n", {"A||||||||||||"}},
      {"long fields keep their first characters", ",,,ABCDEFGHIJKLMNOP,123456789,x\r\n",
       {"|||ABCDEFGHIJKL|12345|x|||||||"}},
      {"a long quoted field is cut too, up to its quote", ",,,\"ABCDEFGHIJKLM,NOP\",x\r\n",
       {"|||ABCDEFGHIJKL|x||||||||"}},
      {"fields after the thirteenth are ignored", "1,2,3,4,5,6,7,8,9,10,11,#,#,14,\"15\r\n\",16\r\nB\r\n",
       {"1|2|3|4|5|6|7|8|9|10|11|#|#", "B||||||||||||"}},
      {"two-byte QSL fields keep one byte", ",,,,,,,,,,,#x,yz\r\n", {"|||||||||||#|y"}},
      {"empty and blank lines are no records", "\r\n  \t\r\nA\r\n\r\n", {"A||||||||||||"}},
      {"a line of commas is a blank record", ",,\r\n", {"||||||||||||"}},
      {"the last line needs no CR LF", "A,B", {"A|B|||||||||||"}},
      {"an unclosed quote runs to the end", "\"AB,C\r\nD", {"AB,C\r\nD||||||||||||"}},
      {"a CR at the very end is data", "A\r", {"A\r||||||||||||"}},
      {"nothing at all", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(readAllRecords(c.input), c.records);
  }
}

TEST(TextImportReader, CountsLinesAndBytes) {
  const std::string input = "\r\nA\r\n\"B\r\nB\",x\r\nC\x1Ajunk";
  TextImport reader(input);
  TxtRecord r;
  const std::uint64_t lines[] = {2, 3, 5};
  for (std::uint64_t line : lines) {
    SCOPED_TRACE(line);
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(reader.recordLine(), line);
  }
  EXPECT_FALSE(reader.next(r));
  EXPECT_FALSE(reader.next(r));
  EXPECT_EQ(reader.records(), 3u);
  EXPECT_EQ(reader.position(), input.find('\x1A') + 1);
  EXPECT_EQ(reader.size(), input.size());
}

TEST(TextImportReader, FileReadsAcrossBlocksLikeMemory) {
  // Records with a quoted CR LF, many of them across the boundaries of the blocks read.
  std::string input;
  for (int i = 0; i < 5000; ++i)
    input += std::to_string(i) + ",\"q\r\n" + std::string(static_cast<std::size_t>(i % 37), 'x') + "\",y\r\n";
  const auto path = std::filesystem::temp_directory_path() / ("jurnal-import-" + std::to_string(::getpid()));
  {
    std::ofstream out(path, std::ios::binary);
    out << input;
  }
  TextImport file;
  ASSERT_TRUE(file.open(path.string()));
  EXPECT_EQ(file.size(), input.size());
  TextImport memory(input);
  TxtRecord a, b;
  std::uint64_t count = 0;
  while (memory.next(a)) {
    ASSERT_TRUE(file.next(b)) << count;
    ASSERT_EQ(joined(a), joined(b)) << count;
    ASSERT_EQ(memory.recordLine(), file.recordLine());
    ++count;
  }
  EXPECT_FALSE(file.next(b));
  EXPECT_EQ(file.error(), 0);
  EXPECT_EQ(count, 5000u);
  EXPECT_EQ(file.position(), input.size());
  std::filesystem::remove(path);

  TextImport missing;
  EXPECT_FALSE(missing.open(path.string()));
  EXPECT_EQ(missing.error(), ENOENT);
}

TEST_F(FixedToday, ReadDate) {
  const struct {
    const char* text;
    CalendarDate date;  // {0,0,0}: no date
  } cases[] = {
      {" 5/03/04", {2004, 3, 5}},  {"5/03/04", {2004, 3, 5}},   {"5/3/04", {2004, 3, 5}},
      {"25/12/03", {2003, 12, 25}}, {"25/12/2003", {2020, 12, 25}}, {"01/01/43", {2043, 1, 1}},
      {"01/01/44", {1944, 1, 1}},  {"31/12/99", {1999, 12, 31}}, {"1/1/4", {2004, 1, 1}},
      {"31/02/04", {2004, 3, 2}},  {"10/13/04", {2005, 1, 10}},
      {"  /  /  ", {}},            {"", {}},                    {"abc", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::int32_t date = readDate(c.text);
    if (c.date.year == 0) {
      EXPECT_EQ(date, 0);
    } else {
      EXPECT_EQ(calendarFromDate(date), c.date);
    }
  }
  // The window moves with the current year.
  m_clock.set(dateFromCalendar(2030, 1, 1), 0);
  EXPECT_EQ(calendarFromDate(readDate("01/01/44")), (CalendarDate{2044, 1, 1}));
  EXPECT_EQ(calendarFromDate(readDate("01/01/50")), (CalendarDate{1950, 1, 1}));
  EXPECT_EQ(calendarFromDate(readDate("01/01/49")), (CalendarDate{2049, 1, 1}));
}

TEST(TextImportConvert, ReadTime) {
  const struct {
    const char* text;
    std::int32_t uts;
  } cases[] = {
      {" 7:05", timeFromClock(7, 5)}, {"7:05", timeFromClock(7, 5)},     {"07:05:30", timeFromClock(7, 5)},
      {"0:15", timeFromClock(0, 15)}, {"23:59", timeFromClock(23, 59)}, {" 0:00", 0},
      {"24:00", 0},                   {"12:60", 0},                      {"", 0},
      {"xx", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readTime(c.text), c.uts);
  }
}

TEST(TextImportConvert, ReadFrequencyAndPoints) {
  const struct {
    const char* text;
    double band;
  } bands[] = {
      {"14.074", 14.074}, {" 7.050", 7.05}, {"\t144.300", 144.3}, {"14,074", 14}, {"##.###", 0},
      {"-1.5", -1.5},     {"+2", 2},        {"1e3", 1000},        {"1.5E-1", 0.15}, {"1e", 1},
      {".5", 0.5},        {"5.", 5},        {".", 0},             {"", 0},          {"inf", 0},
      {"nan", 0},         {"0x10", 0},      {"1e999", 0},
  };
  for (const auto& c : bands) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readFrequency(c.text), c.band);
  }

  const struct {
    const char* text;
    std::int16_t points;
  } points[] = {
      {"15", 15},         {"-3", -3},         {"  7", 7},        {"12,7", 12},     {"12.7", 12},
      {"-12.7", -12},     {"+5", 0},          {"40000", -25536}, {"-32768", -32768}, {"32768", -32768},
      {"65536", 0},       {"65537", 1},       {"-65537", -1},    {"1e3", 1000},    {"1.5e1", 15},
      {"1,5E+1", 15},     {"15e-1", 1},       {"12345678901234567890", 2770},      {"1e999", 0},
      {"3e99999999999", 0}, {".9", 0},        {"", 0},           {"abc", 0},       {"-", 0},
  };
  for (const auto& c : points) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readPoints(c.text), c.points);
  }
}

TEST_F(FixedToday, FourFieldLineMakesAContact) {
  TextImport reader(" 5/03/04, 7:05,14.074,TEST1\r\n");
  TxtRecord txt;
  ASSERT_TRUE(reader.next(txt));
  const JurnalRecord r = txtToJurnal(txt);
  JurnalRecord expected;
  expected.clear();
  expected.date = dateFromCalendar(2004, 3, 5);
  expected.uts = timeFromClock(7, 5);
  expected.band = 14.074;
  setField(expected.radio, "TEST1");
  EXPECT_EQ(r, expected);
}

// Export, read back, export again: the same bytes, except for what the format cannot carry.
TEST_F(FixedToday, RoundTripThroughTheLineFormat) {
  const auto contact = [](std::int32_t date, std::int32_t uts, double band, const char* radio) {
    JurnalRecord r;
    r.clear();
    r.date = date;
    r.uts = uts;
    r.band = band;
    setField(r.radio, radio);
    setField(r.rss, "59");
    setField(r.rsr, "57+");
    setField(r.qth, utf8ToCp1251("Москва"));
    setField(r.operatorName, utf8ToCp1251("Ёлкин Пётр"));
    setField(r.diplom, "W-100-U");
    setField(r.remarks, "qsl via \"buro\"; 73!");
    return r;
  };
  std::vector<JurnalRecord> lossless = {
      contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "TEST1"),
      contact(dateFromCalendar(1950, 1, 1), timeFromClock(23, 59), 0.136, "UA3ABC/MM123"),
      contact(0, 0, 0, ""),
      contact(dateFromCalendar(2043, 12, 31), timeFromClock(0, 1), 144.3, "R1A"),
      contact(dateFromCalendar(2024, 6, 15), timeFromClock(12, 0), 1296.125, "R2B"),
  };
  lossless[0].bonus = -32768;
  lossless[1].bonus = 32767;
  setField(lossless[1].qslRes, "#");
  setField(lossless[2].qlsSend, "#");

  std::string file;
  for (const auto& r : lossless) file += exportLine(r) + "\r\n";
  TextImport reader(file);
  TxtRecord txt;
  std::string again;
  std::size_t n = 0;
  while (reader.next(txt)) {
    const JurnalRecord back = txtToJurnal(txt);
    EXPECT_EQ(back, lossless[n]) << n;
    again += exportLine(back) + "\r\n";
    ++n;
  }
  EXPECT_EQ(n, lossless.size());
  EXPECT_EQ(again, file);

  // The losses: seconds, the minute 00:00, digits beyond three decimals, leading blanks of
  // a text, dates outside the century window.
  JurnalRecord lossy = contact(dateFromCalendar(1900, 5, 1), timeFromClock(0, 0, 30), 7.0504, "  R3C");
  const std::string line = exportLine(lossy) + "\r\n";
  TextImport one(line);
  ASSERT_TRUE(one.next(txt));
  const JurnalRecord back = txtToJurnal(txt);
  EXPECT_EQ(calendarFromDate(back.date), (CalendarDate{2000, 5, 1}));
  EXPECT_EQ(back.uts, 0);
  EXPECT_EQ(back.band, 7.05);
  EXPECT_EQ(fieldText(back.radio), "R3C");
  EXPECT_EQ(fieldText(back.qth), fieldText(lossy.qth));
}
