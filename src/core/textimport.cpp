// The comma-delimited reader of jurnal.txt (block reads, one byte of look-ahead) and the
// conversions of its fields into a contact.
#include "core/textimport.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/daytime.h"

namespace jurnal {
namespace {

constexpr std::size_t kBlock = 64 * 1024;  // bytes per read of the file
constexpr int kCtrlZ = 0x1A;               // end-of-file mark

constexpr int kFields = 13;
// Offset and width of each TXT field in TxtRecord, in file order.
constexpr std::size_t kOffset[kFields] = {0, 20, 40, 60, 72, 77, 82, 97, 117, 137, 157, 187, 188};
constexpr std::size_t kWidth[kFields] = {20, 20, 20, 12, 5, 5, 15, 20, 20, 20, 30, 1, 1};
static_assert(kOffset[kFields - 1] + kWidth[kFields - 1] == sizeof(TxtRecord));

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

// Up to `width` digits from `pos`; `digits` counts the digits read.
int readNumber(std::string_view text, std::size_t& pos, int width, int& digits) {
  int value = 0;
  for (int n = 0; n < width && pos < text.size() && isDigit(text[pos]); ++n, ++pos, ++digits)
    value = value * 10 + (text[pos] - '0');
  return value;
}

// The separator position after a component: whatever stands there is passed over. A single
// digit leaves the separator where the second digit was expected, which gives the left shift.
void skipSeparator(std::string_view text, std::size_t& pos) {
  if (pos < text.size()) ++pos;
}

}  // namespace

int currentYear() {
  const auto today = calendarFromDate(Clock::current().today());
  return today ? today->year : 2000;
}

TextImport::TextImport(std::string_view bytes)
    : m_memory(true),
      m_begin(bytes.data()),
      m_pos(bytes.data()),
      m_end(bytes.data() + bytes.size()),
      m_size(bytes.size()) {}

TextImport::~TextImport() { close(); }

bool TextImport::open(const std::string& path) {
  close();
  m_error = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    m_error = errno;
    return false;
  }
  struct stat st {};
  // A shared lock: several readers at once, none while the export holds the file.
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0 || ::fstat(fd, &st) != 0) {
    m_error = errno;
    ::close(fd);
    return false;
  }
  m_fd = fd;
  m_size = static_cast<std::uint64_t>(st.st_size);
  m_block.resize(kBlock);
  m_begin = m_pos = m_end = m_block.data();
  return true;
}

void TextImport::close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_memory = false;
  m_ended = false;
  m_begin = m_pos = m_end = nullptr;
  m_base = m_size = m_records = m_lineFeeds = m_recordLine = 0;
}

bool TextImport::refill() {
  if (m_fd < 0) return false;
  m_base += static_cast<std::uint64_t>(m_end - m_begin);
  m_begin = m_pos = m_end = m_block.data();
  for (;;) {
    const ssize_t n = ::read(m_fd, m_block.data(), m_block.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) m_error = errno;
    if (n <= 0) return false;
    m_end = m_begin + n;
    return true;
  }
}

inline int TextImport::get() {
  if (m_pos == m_end && !refill()) return -1;
  const unsigned char c = static_cast<unsigned char>(*m_pos++);
  if (c == '\n') ++m_lineFeeds;
  return c;
}

inline int TextImport::peek() {
  if (m_pos == m_end && !refill()) return -1;
  return static_cast<unsigned char>(*m_pos);
}

bool TextImport::next(TxtRecord& record) {
  while (!m_ended) {
    record.clear();
    bool content = false;
    const std::uint64_t line = m_lineFeeds + 1;
    if (readRecord(record, content) == End::File) m_ended = true;
    if (content) {
      ++m_records;
      m_recordLine = line;
      return true;
    }
  }
  return false;
}

TextImport::End TextImport::readRecord(TxtRecord& record, bool& content) {
  char* const base = reinterpret_cast<char*>(&record);
  for (int field = 0;; ++field) {
    // Bytes beyond the field's width, and fields after the last one, are read and dropped.
    char* out = field < kFields ? base + kOffset[field] : nullptr;
    std::size_t room = field < kFields ? kWidth[field] : 0;
    const auto put = [&](int c) {
      if (room > 0) {
        *out++ = static_cast<char>(c);
        --room;
      }
    };

    int c;
    for (;;) {
      c = get();
      if (c == ' ' || c == '\t') continue;
      if (c == '\r') {
        if (peek() == '\n') {
          get();
          return End::Record;
        }
        continue;
      }
      break;
    }
    if (c < 0 || c == kCtrlZ) return End::File;
    content = true;
    if (c == ',') continue;

    if (c == '"') {
      for (;;) {
        c = get();
        if (c < 0 || c == kCtrlZ) return End::File;
        if (c == '"') {
          if (peek() != '"') break;
          get();
        }
        put(c);
      }
      for (;;) {  // after the closing quote, up to the next comma
        c = get();
        if (c < 0 || c == kCtrlZ) return End::File;
        if (c == ',') break;
        if (c == '\r' && peek() == '\n') {
          get();
          return End::Record;
        }
      }
      continue;
    }

    put(c);
    for (;;) {
      c = get();
      if (c < 0 || c == kCtrlZ) return End::File;
      if (c == ',') break;
      if (c == '\r' && peek() == '\n') {
        get();
        return End::Record;
      }
      put(c);
    }
  }
}

std::int32_t readDate(std::string_view text) { return readDate(text, currentYear()); }

std::int32_t readDate(std::string_view text, int year) {
  std::size_t pos = skipBlanks(text, 0);
  int digits = 0;
  const int day = readNumber(text, pos, 2, digits);
  skipSeparator(text, pos);
  const int month = readNumber(text, pos, 2, digits);
  skipSeparator(text, pos);
  const int yy = readNumber(text, pos, 2, digits);
  if (digits == 0) return 0;
  // The year ending in yy within [current - 80, current + 19].
  const int first = year - 80;
  const std::int32_t date = dateFromCalendar(first + (((yy - first) % 100) + 100) % 100, month, day);
  return isValidDate(date) ? date : 0;
}

std::int32_t readTime(std::string_view text) {
  std::size_t pos = skipBlanks(text, 0);
  int digits = 0;
  const int hours = readNumber(text, pos, 2, digits);
  skipSeparator(text, pos);
  const int minutes = readNumber(text, pos, 2, digits);
  if (hours > 23 || minutes > 59 || (hours == 0 && minutes == 0)) return 0;
  return timeFromClock(hours, minutes);
}

double readFrequency(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t p = 0;
  while (p < n && (text[p] == ' ' || text[p] == '\t')) ++p;
  bool negative = false;
  if (p < n && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  const std::size_t start = p;
  while (p < n && isDigit(text[p])) ++p;
  const std::size_t wholeDigits = p - start;
  std::size_t fractionDigits = 0;
  if (p < n && text[p] == '.') {
    std::size_t q = p + 1;
    while (q < n && isDigit(text[q])) ++q;
    fractionDigits = q - p - 1;
    if (wholeDigits + fractionDigits > 0) p = q;
  }
  if (wholeDigits + fractionDigits == 0) return 0.0;
  if (p < n && (text[p] == 'e' || text[p] == 'E')) {
    std::size_t q = p + 1;
    if (q < n && (text[q] == '+' || text[q] == '-')) ++q;
    const std::size_t exponentStart = q;
    while (q < n && isDigit(text[q])) ++q;
    if (q > exponentStart) p = q;
  }
  double value = 0.0;
  // Only the validated span is handed over, so "inf", "nan" and hex forms never get through.
  const auto result = std::from_chars(text.data() + start, text.data() + p, value, std::chars_format::general);
  if (result.ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

std::int16_t readPoints(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t p = skipBlanks(text, 0);
  bool negative = false;
  if (p < n && text[p] == '-') {
    negative = true;
    ++p;
  }
  // The digits of the number without its point; `point` digits stand before it.
  std::string digits;
  while (p < n && isDigit(text[p])) digits += text[p++];
  long long point = static_cast<long long>(digits.size());
  if (p < n && (text[p] == '.' || text[p] == ',')) {
    std::size_t q = p + 1;
    std::string fraction;
    while (q < n && isDigit(text[q])) fraction += text[q++];
    if (!digits.empty() || !fraction.empty()) {
      digits += fraction;
      p = q;
    }
  }
  if (digits.empty()) return 0;
  if (p < n && (text[p] == 'e' || text[p] == 'E')) {
    std::size_t q = p + 1;
    bool exponentNegative = false;
    if (q < n && (text[q] == '+' || text[q] == '-')) exponentNegative = text[q++] == '-';
    long long exponent = 0;
    const std::size_t exponentStart = q;
    for (; q < n && isDigit(text[q]); ++q) exponent = std::min(exponent * 10 + (text[q] - '0'), 100000LL);
    if (q > exponentStart) point += exponentNegative ? -exponent : exponent;
  }
  // The whole number (fraction dropped) modulo 2^16, exactly: digits before the point, then
  // zeros while the point lies beyond the digits. 10^16 is a multiple of 2^16, so sixteen
  // zeros already give 0.
  unsigned value = 0;
  const long long used = std::min<long long>(point, static_cast<long long>(digits.size()));
  for (long long i = 0; i < used; ++i) value = (value * 10 + static_cast<unsigned>(digits[i] - '0')) & 0xFFFF;
  for (long long zeros = std::min<long long>(point - used, 16); zeros > 0; --zeros) value = (value * 10) & 0xFFFF;
  if (negative) value = (0x10000 - value) & 0xFFFF;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

JurnalRecord txtToJurnal(const TxtRecord& txt) { return txtToJurnal(txt, currentYear()); }

JurnalRecord txtToJurnal(const TxtRecord& txt, int year) {
  JurnalRecord r;
  r.clear();
  r.date = readDate(fieldView(txt.date), year);
  r.uts = readTime(fieldView(txt.uts));
  r.band = readFrequency(fieldView(txt.band));
  std::memcpy(r.radio, txt.radio, sizeof r.radio);
  std::memcpy(r.rss, txt.rss, sizeof r.rss);
  std::memcpy(r.rsr, txt.rsr, sizeof r.rsr);
  std::memcpy(r.qth, txt.qth, sizeof r.qth);
  std::memcpy(r.operatorName, txt.operatorName, sizeof r.operatorName);
  std::memcpy(r.diplom, txt.diplom, sizeof r.diplom);
  r.bonus = readPoints(fieldView(txt.bonus));
  std::memcpy(r.remarks, txt.remarks, sizeof r.remarks);
  std::memcpy(r.qslRes, txt.qslRes, sizeof r.qslRes);
  std::memcpy(r.qlsSend, txt.qlsSend, sizeof r.qlsSend);
  return r;
}

}  // namespace jurnal
