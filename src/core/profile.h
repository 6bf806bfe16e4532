// Profile (INI) files read and written one entry at a time, as programs expect of the
// operating system's private-profile calls. Bytes are taken as they are (the program keeps
// Windows-1251 text); lines are written with CR LF and read with CR LF or LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jurnal {

inline constexpr std::size_t kProfileMaxValue = 1024;  // characters of a written value
inline constexpr std::size_t kProfileMaxName = 64;     // characters of a section name or key

// The value of `key` in `section`, without surrounding blanks; empty when the file, the
// section or the key is missing. Names are matched regardless of ASCII letter case; when a
// name occurs twice the first one counts.
std::string getProfileString(const std::string& path, std::string_view section, std::string_view key);

// Writes one entry and leaves every other byte of the file as it was. Creates the file and
// the section when missing; a new section goes at the end, after an empty line unless the
// file is empty or already ends with one. Names are cut to 64 characters and the value to
// 1024, each then without trailing blanks. The file is replaced atomically, so a crash
// leaves either the old or the new file, never a mixture.
// Returns false, changing nothing, when the file cannot be written or when a name or the
// value would break the file's structure: a line break or NUL anywhere, a ']' in the
// section name, an '=' in the key, an empty section name or key, a key starting with '['
// or ';'.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// The names of the file's sections in file order; empty when the file is missing.
std::vector<std::string> profileSections(const std::string& path);

}  // namespace jurnal
