// Building the lines of jurnal.txt and writing them with exclusive access and a buffer.
#include "core/textexport.h"

#include <cerrno>
#include <charconv>
#include <cmath>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/daytime.h"
#include "core/fixedtext.h"

namespace jurnal {
namespace {

constexpr std::size_t kFlushAt = 256 * 1024;  // bytes of whole lines kept before a write
constexpr std::size_t kLongestBand = 16;       // characters of the longest frequency written

void putTwo(std::string& out, int value, char leading) {
  out += value >= 10 ? static_cast<char>('0' + value / 10 % 10) : leading;
  out += static_cast<char>('0' + value % 10);
}

void putDate(std::string& out, std::int32_t date) {
  const auto cal = calendarFromDate(date);
  if (!cal) {
    out += "  /  /  ";
    return;
  }
  putTwo(out, cal->day, ' ');
  out += '/';
  putTwo(out, cal->month, '0');
  out += '/';
  putTwo(out, cal->year % 100, '0');
}

void putTime(std::string& out, std::int32_t uts) {
  const auto clock = clockFromTime(uts);
  putTwo(out, clock ? clock->hour : 0, ' ');
  out += ':';
  putTwo(out, clock ? clock->minute : 0, '0');
}

void putBand(std::string& out, double band) {
  if (band == 0.0) band = 0.0;  // no "-0.000"
  char text[kLongestBand];
  const auto result =
      std::isfinite(band) ? std::to_chars(text, text + sizeof text, band, std::chars_format::fixed, 3)
                          : std::to_chars_result{text, std::errc::value_too_large};
  if (result.ec != std::errc()) {
    out += "##.###";
    return;
  }
  const std::size_t length = static_cast<std::size_t>(result.ptr - text);
  if (length < 6) out.append(6 - length, ' ');
  out.append(text, length);
}

template <std::size_t N>
void putField(std::string& out, const char (&field)[N]) {
  out += ',';
  out.append(field, N);
}

}  // namespace

std::string exportDate(std::int32_t date) {
  std::string out;
  putDate(out, date);
  return out;
}

std::string exportTime(std::int32_t uts) {
  std::string out;
  putTime(out, uts);
  return out;
}

std::string exportBand(double band) {
  std::string out;
  putBand(out, band);
  return out;
}

void appendExportLine(std::string& out, const JurnalRecord& r) {
  const std::size_t start = out.size();
  putDate(out, r.date);
  out += ',';
  putTime(out, r.uts);
  out += ',';
  putBand(out, r.band);
  putField(out, r.radio);
  putField(out, r.rss);
  putField(out, r.rsr);
  putField(out, r.qth);
  putField(out, r.operatorName);
  putField(out, r.diplom);
  out += ',';
  char points[8];
  const auto result = std::to_chars(points, points + sizeof points, static_cast<int>(r.bonus));
  out.append(points, result.ptr);
  putField(out, r.remarks);
  putField(out, r.qslRes);
  putField(out, r.qlsSend);
  std::size_t end = out.size();
  while (end > start && out[end - 1] == ' ') --end;
  out.resize(end);
}

std::string exportLine(const JurnalRecord& record) {
  std::string out;
  out.reserve(160);
  appendExportLine(out, record);
  return out;
}

TextExport::~TextExport() { close(); }

bool TextExport::open(const std::string& path) {
  close();
  m_error = 0;
  m_written = 0;
  m_lines = 0;
  m_pending = 0;
  m_buffer.clear();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    m_error = errno;
    return false;
  }
  // Lock before emptying: a file another run is writing or reading must stay as it is.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
    m_error = errno;
    ::close(fd);
    return false;
  }
  m_fd = fd;
  m_buffer.reserve(kFlushAt + 512);
  return true;
}

bool TextExport::write(const JurnalRecord& record) {
  if (m_fd < 0 || m_error) return false;
  appendExportLine(m_buffer, record);
  m_buffer += "\r\n";
  return afterAppend();
}

bool TextExport::writeLine(std::string_view line) {
  if (m_fd < 0 || m_error) return false;
  m_buffer += line;
  m_buffer += "\r\n";
  return afterAppend();
}

bool TextExport::afterAppend() {
  ++m_lines;
  ++m_pending;
  return m_buffer.size() < kFlushAt || flush();
}

bool TextExport::flush() {
  if (m_fd < 0) return false;
  if (m_error) return false;
  std::size_t done = 0;
  while (done < m_buffer.size()) {
    const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      m_error = n < 0 ? errno : ENOSPC;
      // Part of a line may have reached the file: cut it back to the lines written before.
      if (::ftruncate(m_fd, static_cast<off_t>(m_written)) == 0)
        ::lseek(m_fd, static_cast<off_t>(m_written), SEEK_SET);
      m_lines -= m_pending;
      m_pending = 0;
      m_buffer.clear();
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  m_written += m_buffer.size();
  m_pending = 0;
  m_buffer.clear();
  return true;
}

bool TextExport::close() {
  if (m_fd < 0) return m_error == 0;
  const bool flushed = m_error == 0 && flush();
  if (::close(m_fd) != 0 && m_error == 0) m_error = errno;
  m_fd = -1;
  return flushed && m_error == 0;
}

}  // namespace jurnal
