// Open checks of a plain text file.
#include "core/textfiledriver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace jurnal {

TextFileDriver::TextFileDriver(std::string folder, std::string fileName) {
  if (folder.empty()) folder = ".";
  if (folder.back() != '/') folder += '/';
  m_path = folder + fileName;
}

OpenOutcome TextFileDriver::open(OpenMode mode) {
  m_open = false;
  struct stat st {};
  if (::stat(m_path.c_str(), &st) != 0) {
    m_errorText = errno == ENOENT || errno == ENOTDIR ? "File Not Found" : std::strerror(errno);
    return errno == ENOENT || errno == ENOTDIR ? OpenOutcome::NotFound
           : errno == EACCES                   ? OpenOutcome::AccessRefused
                                               : OpenOutcome::OtherError;
  }
  if (S_ISDIR(st.st_mode)) {
    m_errorText = std::strerror(EISDIR);
    return OpenOutcome::OtherError;
  }
  const bool write = mode == OpenMode::ReadWrite;
  // No write bit at all refuses writing to everyone, the superuser included.
  if ((write && ((st.st_mode & 0222) == 0 || ::access(m_path.c_str(), W_OK) != 0)) ||
      ::access(m_path.c_str(), R_OK) != 0) {
    m_errorText = "Access Denied";
    return OpenOutcome::AccessRefused;
  }
  m_readOnly = !write;
  m_open = true;
  m_errorText.clear();
  return OpenOutcome::Ok;
}

bool TextFileDriver::create() {
  const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0 && errno != EEXIST) {
    m_errorText = std::strerror(errno);
    return false;
  }
  if (fd >= 0) ::close(fd);
  return true;
}

}  // namespace jurnal
