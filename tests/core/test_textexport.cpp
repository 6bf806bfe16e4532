// The lines of jurnal.txt byte for byte, and the writer's exclusive, whole-line file handling.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/daytime.h"
#include "core/textexport.h"
#include "core/textimport.h"
#include "core/win1251.h"

using namespace jurnal;

namespace {

// Text in the notation of the format description: UTF-8 with "␣" for each blank, as
// Windows-1251 bytes.
std::string text(std::string_view marked) {
  std::string utf8;
  const std::string_view blank = "␣";
  for (std::size_t i = 0; i < marked.size();) {
    if (marked.substr(i, blank.size()) == blank) {
      utf8 += ' ';
      i += blank.size();
    } else {
      utf8 += marked[i++];
    }
  }
  return utf8ToCp1251(utf8);
}

JurnalRecord contact(std::int32_t date, std::int32_t uts, double band, std::string_view radio) {
  JurnalRecord r;
  r.clear();
  r.date = date;
  r.uts = uts;
  r.band = band;
  setField(r.radio, radio);
  return r;
}

// The example contact: 5 March 2004 07:05 on 14.074, TEST1, 59/57, Москва, card received.
JurnalRecord example() {
  JurnalRecord r = contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "TEST1");
  setField(r.rss, "59");
  setField(r.rsr, "57");
  setField(r.qth, utf8ToCp1251("Москва"));
  setField(r.qslRes, "#");
  return r;
}

std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class TextExportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("jurnal-export-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    m_path = (m_dir / "jurnal.txt").string();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::filesystem::path m_dir;
  std::string m_path;
};

}  // namespace

TEST(TextExport, ExampleLineByteForByte) {
  const std::string expected = text(
      "␣5/03/04,␣7:05,14.074,TEST1␣␣␣␣␣␣␣,59␣␣␣,57␣␣␣,Москва␣␣␣␣␣␣␣␣␣,␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣,"
      "␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣,0,␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣,#,");
  EXPECT_EQ(expected.size(), 140u);
  EXPECT_EQ(exportLine(example()), expected);
}

TEST(TextExport, NumberFields) {
  const struct {
    std::int32_t date;
    const char* text;
  } dates[] = {
      {dateFromCalendar(2004, 3, 5), " 5/03/04"},
      {dateFromCalendar(2003, 12, 25), "25/12/03"},
      {dateFromCalendar(2000, 1, 1), " 1/01/00"},
      {dateFromCalendar(1801, 1, 1), " 1/01/01"},
      {0, "  /  /  "},
      {-5, "  /  /  "},
      {kLastValidDate + 1, "  /  /  "},
  };
  for (const auto& c : dates) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(exportDate(c.date), c.text);
  }

  const struct {
    std::int32_t uts;
    const char* text;
  } times[] = {
      {timeFromClock(7, 5), " 7:05"},
      {timeFromClock(0, 0), " 0:00"},
      {0, " 0:00"},
      {timeFromClock(23, 59, 59, 99), "23:59"},
      {timeFromClock(10, 0, 59), "10:00"},
      {kLastValidTime + 1, " 0:00"},
      {-7, " 0:00"},
  };
  for (const auto& c : times) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(exportTime(c.uts), c.text);
  }

  // Below 100 the six-character form; from 100 on the full value, which reads back.
  const struct {
    double band;
    const char* text;
  } bands[] = {
      {14.074, "14.074"},     {7.05, " 7.050"},
      {0.136, " 0.136"},      {50, "50.000"},
      {0, " 0.000"},          {-0.0, " 0.000"},
      {99.9994, "99.999"},    {99.9996, "100.000"},
      {144.3, "144.300"},     {1296.125, "1296.125"},
      {1e300, "##.###"},      {std::numeric_limits<double>::quiet_NaN(), "##.###"},
      {std::numeric_limits<double>::infinity(), "##.###"},
  };
  for (const auto& c : bands) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(exportBand(c.band), c.text);
  }
}

TEST(TextExport, LineEdgeCases) {
  const JurnalRecord base = example();
  const struct {
    const char* what;
    void (*change)(JurnalRecord&);
    const char* prefix;  // the start of the line, in the marked notation
    const char* suffix;  // its end
    std::size_t length;
  } cases[] = {
      {"12-character callsign fills the field", [](JurnalRecord& r) { setField(r.radio, "UA3ABC/MM123"); },
       "␣5/03/04,␣7:05,14.074,UA3ABC/MM123,59␣␣␣,", ",#,", 140},
      {"comma in the location is written as it is",
       [](JurnalRecord& r) { setField(r.qth, utf8ToCp1251("Москва, обл.")); },
       "␣5/03/04,␣7:05,14.074,TEST1␣␣␣␣␣␣␣,59␣␣␣,57␣␣␣,Москва,␣обл.␣␣␣,", ",#,", 140},
      {"card received and sent", [](JurnalRecord& r) { setField(r.qlsSend, "#"); }, "", ",#,#", 141},
      {"card sent only",
       [](JurnalRecord& r) {
         setField(r.qslRes, "");
         setField(r.qlsSend, "#");
       },
       "", ",␣,#", 141},
      {"neither card", [](JurnalRecord& r) { setField(r.qslRes, ""); }, "", ",␣,", 140},
      {"-32768 points give the longest line",
       [](JurnalRecord& r) {
         r.bonus = -32768;
         setField(r.qlsSend, "#");
       },
       "", ",-32768,␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣,#,#", 146},
      {"144.3 MHz in full", [](JurnalRecord& r) { r.band = 144.3; }, "␣5/03/04,␣7:05,144.300,TEST1␣", ",#,", 141},
      {"no date and no time", [](JurnalRecord& r) { r.date = r.uts = 0; }, "␣␣/␣␣/␣␣,␣0:00,14.074,", ",#,", 140},
      {"blanks inside a text stay, trailing remark blanks before F12 too",
       [](JurnalRecord& r) { setField(r.remarks, "a  b"); }, "", ",0,a␣␣b␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣␣,#,", 140},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    JurnalRecord r = base;
    c.change(r);
    const std::string line = exportLine(r);
    const std::string prefix = text(c.prefix), suffix = text(c.suffix);
    EXPECT_EQ(line.substr(0, prefix.size()), prefix);
    ASSERT_GE(line.size(), suffix.size());
    EXPECT_EQ(line.substr(line.size() - suffix.size()), suffix);
    EXPECT_EQ(line.size(), c.length);
  }
}

TEST(TextExport, WindowsBytesUnchanged) {
  JurnalRecord r = example();
  // Every byte a text field can hold other than the separators passes unchanged.
  std::string all;
  for (int b = 0x80; b <= 0xFF; ++b) all += static_cast<char>(b);
  setField(r.remarks, all.substr(0, 30));
  setField(r.operatorName, all.substr(100, 20));
  const std::string line = exportLine(r);
  EXPECT_NE(line.find(all.substr(0, 30)), std::string::npos);
  EXPECT_NE(line.find(all.substr(100, 20)), std::string::npos);
}

TEST_F(TextExportFile, WritesCrLfLinesAndEmptiesTheFileOnce) {
  {
    std::ofstream old(m_path, std::ios::binary);
    old << std::string(100000, 'x');  // a longer earlier file must not leave a tail
  }
  const JurnalRecord contacts[] = {
      contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "A1"),
      contact(dateFromCalendar(2004, 3, 5), timeFromClock(8, 0), 7.05, "B2"),
      contact(dateFromCalendar(2004, 3, 6), 0, 3.6, "C3"),
  };
  std::string expected;
  for (const auto& c : contacts) expected += exportLine(c) + "\r\n";

  for (int run = 0; run < 2; ++run) {  // exporting twice gives the same file
    SCOPED_TRACE(run);
    TextExport out;
    ASSERT_TRUE(out.open(m_path)) << out.error();
    for (const auto& c : contacts) ASSERT_TRUE(out.write(c));
    EXPECT_EQ(out.linesWritten(), 3u);
    ASSERT_TRUE(out.close());
    EXPECT_EQ(readAll(m_path), expected);
  }
}

TEST_F(TextExportFile, HeldFileIsNeitherEmptiedNorReadable) {
  TextExport first;
  ASSERT_TRUE(first.open(m_path));
  ASSERT_TRUE(first.writeLine("line one"));
  ASSERT_TRUE(first.flush());

  TextExport second;
  EXPECT_FALSE(second.open(m_path));
  EXPECT_EQ(second.error(), EWOULDBLOCK);
  EXPECT_FALSE(second.write(example()));
  EXPECT_EQ(readAll(m_path), "line one\r\n");

  TextImport reader;
  EXPECT_FALSE(reader.open(m_path));
  EXPECT_EQ(reader.error(), EWOULDBLOCK);

  ASSERT_TRUE(first.close());
  EXPECT_TRUE(reader.open(m_path));
}

TEST_F(TextExportFile, MissingFolderIsReported) {
  TextExport out;
  EXPECT_FALSE(out.open((m_dir / "no" / "jurnal.txt").string()));
  EXPECT_EQ(out.error(), ENOENT);
}

TEST_F(TextExportFile, FailedWriteLeavesWholeLinesOnly) {
  // A child process with a file-size limit: the write that crosses it fails part way.
  const JurnalRecord r = example();
  const std::size_t lineBytes = exportLine(r).size() + 2;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{300000, 300000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    TextExport out;
    if (!out.open(m_path)) ::_exit(10);
    for (int i = 0; i < 2500; ++i) out.write(r);
    const bool closed = out.close();
    ::_exit(closed ? 11 : out.error() == EFBIG ? 0 : 12);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::string written = readAll(m_path);
  EXPECT_GT(written.size(), 0u);
  EXPECT_LT(written.size(), 300000u);
  EXPECT_EQ(written.size() % lineBytes, 0u);
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
}
