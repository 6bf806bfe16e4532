// Reading jurnal.txt back: the comma-delimited reader that splits the file into TXT records,
// and the conversions of TXT fields into a contact (date, time, frequency, points).
//
// The reader's rules:
// - a record ends at CR LF; a lone CR or LF is an ordinary character;
// - before each field blanks, tabs and CRs are skipped;
// - a field that begins with '"' runs to the next '"' that is not doubled ("" stands for one);
//   commas and CR LF inside it are data; what follows the closing quote up to the next comma
//   is ignored;
// - any other field runs to the next comma or the end of the record, blanks included;
// - a field longer than its TXT field keeps its first bytes; missing fields stay blank and
//   fields after the thirteenth are ignored;
// - a byte 0x1A (Ctrl-Z) ends the file; the record it stands in is read up to it;
// - a line holding nothing but blanks, tabs and CRs is no record (a blank contact is never
//   added for an empty line or for the end-of-file mark on a line of its own);
// - bytes are taken as they are (Windows-1251).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/records.h"

namespace jurnal {

class TextImport {
 public:
  TextImport() = default;
  // Reads from memory; the bytes must outlive the reader.
  explicit TextImport(std::string_view bytes);
  TextImport(std::string&&) = delete;  // would read a destroyed temporary
  // A string literal lives for the whole run.
  template <std::size_t N>
  explicit TextImport(const char (&literal)[N]) : TextImport(std::string_view(literal, N - 1)) {}
  TextImport(const TextImport&) = delete;
  TextImport& operator=(const TextImport&) = delete;
  ~TextImport();

  // Opens a file for reading in blocks, sharing it with other readers; fails while a writer
  // holds it exclusively (error() == EWOULDBLOCK). error() holds the errno value.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return m_fd >= 0 || m_memory; }

  // The next record, from a cleared TXT record; false at the end of the file or on a read
  // error (error() then is not 0).
  bool next(TxtRecord& record);

  // Bytes consumed so far and the size of the file, for the progress by bytes.
  std::uint64_t position() const { return m_base + static_cast<std::uint64_t>(m_pos - m_begin); }
  std::uint64_t size() const { return m_size; }
  // Records returned so far.
  std::uint64_t records() const { return m_records; }
  // Line (counted by LF, from 1) on which the last record returned begins.
  std::uint64_t recordLine() const { return m_recordLine; }
  int error() const { return m_error; }

 private:
  enum class End { Record, File };

  int get();
  int peek();
  bool refill();
  End readRecord(TxtRecord& record, bool& content);

  int m_fd = -1;
  bool m_memory = false;
  bool m_ended = false;
  int m_error = 0;
  std::string m_block;
  const char* m_begin = nullptr;  // current block
  const char* m_pos = nullptr;
  const char* m_end = nullptr;
  std::uint64_t m_base = 0;  // file offset of m_begin
  std::uint64_t m_size = 0;
  std::uint64_t m_records = 0;
  std::uint64_t m_lineFeeds = 0;  // LF bytes consumed
  std::uint64_t m_recordLine = 0;
};

// Date read as day/month/year, two positions each; a single-digit day or month shifts what
// follows left by one (" 5/03/04", "5/3/04"). The two-digit year is placed within 80 years
// before and 19 years after the current year of Clock::current(). Day and month out of range
// roll over into later days and months. No digit at all gives 0 (no date).
std::int32_t readDate(std::string_view text);
// The same with the current year given (a run reads the clock once).
std::int32_t readDate(std::string_view text, int currentYear);
// The calendar year of Clock::current() (2000 when the clock gives no valid date).
int currentYear();
// Time read as hours:minutes, a single-digit hour shifting the minutes. Hours above 23,
// minutes above 59 and 0:00 give 0 (no time).
std::int32_t readTime(std::string_view text);
// Frequency: blanks and tabs skipped, an optional sign, digits with "." as the decimal point,
// an optional exponent; reading stops at any other character (so "14,074" is 14). No number,
// or one out of the range of a double, gives 0.
double readFrequency(std::string_view text);
// Points: blanks skipped, an optional "-" ("+" gives 0), digits, optionally "." or "," and
// more digits, optionally an exponent; the fraction is dropped (towards zero) and the whole
// number kept in 16 bits: its low 16 bits, so 40000 gives -25536.
std::int16_t readPoints(std::string_view text);

// A TXT record converted field by field into a contact; texts are copied as they are.
JurnalRecord txtToJurnal(const TxtRecord& txt);
JurnalRecord txtToJurnal(const TxtRecord& txt, int currentYear);

}  // namespace jurnal
