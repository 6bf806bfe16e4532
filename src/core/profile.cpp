// Profile files: parsed line by line over the raw bytes; a write splices one line into the
// original bytes and replaces the file through a temporary file in the same folder.
#include "core/profile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace jurnal {
namespace {

constexpr std::string_view kEol = "\r\n";

bool isBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBoth(std::string_view s) {
  while (!s.empty() && isBlankChar(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlankChar(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view trimTrailing(std::string_view s) {
  while (!s.empty() && isBlankChar(s.back())) s.remove_suffix(1);
  return s;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// A section name or key as it is written and looked up: at most 64 characters, no
// surrounding blanks (a reader ignores them anyway).
std::string_view normalName(std::string_view name) {
  name = trimBoth(name);
  if (name.size() > kProfileMaxName) name = trimBoth(name.substr(0, kProfileMaxName));
  return name;
}

enum class LineKind { Other, Section, Entry };

struct Line {
  std::size_t begin = 0;    // first byte of the line
  std::size_t end = 0;      // end of its text, before CR LF or LF
  std::size_t next = 0;     // first byte of the following line
  LineKind kind = LineKind::Other;
  std::string_view name;    // section name or key, trimmed
  std::string_view value;   // entry value, trimmed
  bool blank = false;
};

std::vector<Line> parseLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Line line;
    line.begin = pos;
    const std::size_t nl = text.find('\n', pos);
    line.next = nl == std::string_view::npos ? text.size() : nl + 1;
    line.end = nl == std::string_view::npos ? text.size() : nl;
    if (line.end > line.begin && text[line.end - 1] == '\r') --line.end;
    pos = line.next;

    const std::string_view content = trimBoth(text.substr(line.begin, line.end - line.begin));
    line.blank = content.empty();
    if (!content.empty() && content.front() == '[') {
      line.kind = LineKind::Section;
      std::string_view name = content.substr(1);
      const std::size_t close = name.find(']');
      if (close != std::string_view::npos) name = name.substr(0, close);
      line.name = trimBoth(name);
    } else if (!content.empty() && content.front() != ';') {
      const std::size_t eq = content.find('=');
      if (eq != std::string_view::npos) {
        line.kind = LineKind::Entry;
        line.name = trimBoth(content.substr(0, eq));
        line.value = trimBoth(content.substr(eq + 1));
      }
    }
    lines.push_back(line);
  }
  return lines;
}

// Index of the first line of the named section, or npos; `stop` receives the index of the
// next section's header (or the line count).
std::size_t findSection(const std::vector<Line>& lines, std::string_view section, std::size_t& stop) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::Section && sameName(lines[i].name, section)) {
      stop = i + 1;
      while (stop < lines.size() && lines[stop].kind != LineKind::Section) ++stop;
      return i;
    }
  }
  return std::string::npos;
}

enum class ReadResult { Ok, Missing, Failed };

ReadResult readAll(const std::string& path, std::string& out) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  char buf[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadResult::Failed;
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReadResult::Ok;
}

bool writeAllFd(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Replaces the file at `path` with `data`: a temporary file beside it is written, flushed
// to disk and renamed over it. A symbolic link is followed, so the link stays a link.
bool replaceFile(const std::string& path, std::string_view data, bool existed) {
  std::string target = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));

  std::string temp;
  int fd = -1;
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  struct stat st {};
  if (existed && ::stat(target.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
  const bool ok = writeAllFd(fd, data) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);  // makes the rename itself durable
    ::close(dirFd);
  }
  return true;
}

bool hasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::string getProfileString(const std::string& path, std::string_view section, std::string_view key) {
  std::string text;
  if (readAll(path, text) != ReadResult::Ok) return {};
  section = normalName(section);
  key = normalName(key);
  const std::vector<Line> lines = parseLines(text);
  std::size_t stop = 0;
  const std::size_t head = findSection(lines, section, stop);
  if (head == std::string::npos) return {};
  for (std::size_t i = head + 1; i < stop; ++i) {
    if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, key)) return std::string(lines[i].value);
  }
  return {};
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  if (hasLineBreakOrNul(section) || hasLineBreakOrNul(key) || hasLineBreakOrNul(value)) return false;
  section = normalName(section);
  key = normalName(key);
  if (value.size() > kProfileMaxValue) value = value.substr(0, kProfileMaxValue);
  value = trimTrailing(value);
  if (section.empty() || key.empty()) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') return false;

  std::string text;
  const ReadResult read = readAll(path, text);
  if (read == ReadResult::Failed) return false;  // never overwrite a file we could not read

  const std::vector<Line> lines = parseLines(text);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 16);

  std::size_t stop = 0;
  const std::size_t head = findSection(lines, section, stop);
  if (head == std::string::npos) {
    out = text;
    if (!out.empty()) {
      if (out.back() != '\n') out += kEol;
      if (!lines.back().blank) out += kEol;
    }
    out += '[';
    out += section;
    out += ']';
    out += kEol;
  } else {
    std::size_t entry = std::string::npos;
    for (std::size_t i = head + 1; i < stop && entry == std::string::npos; ++i) {
      if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, key)) entry = i;
    }
    if (entry != std::string::npos) {
      // The key keeps the spelling it has in the file; only the line's text changes.
      const Line& line = lines[entry];
      out.append(text, 0, line.begin);
      out += line.name;
      out += '=';
      out += value;
      out.append(text, line.end, std::string::npos);
      return replaceFile(path, out, read == ReadResult::Ok);
    }
    // A new key goes after the section's last non-blank line, so blank lines that part it
    // from the next section stay where they are.
    std::size_t last = head;
    for (std::size_t i = head + 1; i < stop; ++i) {
      if (!lines[i].blank) last = i;
    }
    const Line& after = lines[last];
    out.append(text, 0, after.next);
    if (after.next == text.size() && text.back() != '\n') out += kEol;  // last line had no line end
    out += key;
    out += '=';
    out += value;
    out += kEol;
    out.append(text, after.next, std::string::npos);
    return replaceFile(path, out, read == ReadResult::Ok);
  }
  out += key;
  out += '=';
  out += value;
  out += kEol;
  return replaceFile(path, out, read == ReadResult::Ok);
}

std::vector<std::string> profileSections(const std::string& path) {
  std::vector<std::string> names;
  std::string text;
  if (readAll(path, text) != ReadResult::Ok) return names;
  for (const Line& line : parseLines(text)) {
    if (line.kind == LineKind::Section) names.emplace_back(line.name);
  }
  return names;
}

}  // namespace jurnal
