// The exchange file jurnal.txt as the export writes it: one line per contact, thirteen fields
// separated by commas, no quoting, Windows-1251 bytes unchanged, trailing blanks removed, CR LF.
// exportLine() builds one line; TextExport writes a whole file with exclusive access.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/records.h"

namespace jurnal {

// Field texts of a line (widths in characters).
// Date, 8: day with a blank for a leading zero, "/", month 01..12, "/", year mod 100:
// " 5/03/04"; no date or a date out of range gives "  /  /  ".
std::string exportDate(std::int32_t date);
// Time, 5: hour with a blank for a leading zero, ":", minutes: " 7:05"; seconds are dropped,
// not rounded. No time gives " 0:00", the same text as the minute 00:00.
std::string exportTime(std::int32_t uts);
// Frequency in MHz, rounded to three decimals, 6 below 100: " 7.050", "14.074". A frequency of
// 100 MHz or more is written in full ("144.300", "1296.125") so that reading the file back keeps
// it; a value that cannot be written in 16 characters (or is not a number) gives "##.###".
std::string exportBand(double band);

// The line of one contact without its trailing blanks and without CR LF: 141 to 146
// characters before the trim for frequencies below 100, never more than 256.
std::string exportLine(const JurnalRecord& record);
// The same, appended to `out` (no allocation once `out` has grown).
void appendExportLine(std::string& out, const JurnalRecord& record);

// Writes jurnal.txt: opened once with exclusive access (another program or another run cannot
// read or write it meanwhile), emptied once, then lines appended through a buffer. The file
// only ever holds whole lines: a failed write cuts it back to the last whole line.
class TextExport {
 public:
  TextExport() = default;
  TextExport(const TextExport&) = delete;
  TextExport& operator=(const TextExport&) = delete;
  ~TextExport();

  // Creates the file when missing, takes the exclusive lock and empties it. On failure nothing
  // has been written or emptied and error() holds the errno value (EWOULDBLOCK: held by
  // another program).
  bool open(const std::string& path);
  bool isOpen() const { return m_fd >= 0; }

  // Appends the contact's line and CR LF.
  bool write(const JurnalRecord& record);
  // Appends a prepared line (without CR LF) and CR LF.
  bool writeLine(std::string_view line);
  // Hands the buffered lines to the operating system.
  bool flush();
  // Flushes and releases the file and its lock; false if the last lines could not be written.
  bool close();

  std::uint64_t linesWritten() const { return m_lines; }
  // errno of the first failure, 0 when none.
  int error() const { return m_error; }

 private:
  bool afterAppend();

  int m_fd = -1;
  int m_error = 0;
  std::string m_buffer;
  std::uint64_t m_written = 0;  // bytes in the file, all of them whole lines
  std::uint64_t m_lines = 0;    // lines accepted, buffered ones included
  std::uint64_t m_pending = 0;  // lines in m_buffer
};

}  // namespace jurnal
