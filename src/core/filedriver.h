// The driver beneath a file manager: one thread's open handle of one file. The manager runs
// the opening fallbacks (create when missing, read-only after refused write access, key rebuild)
// through these calls; keyed files and text files each provide one.
#pragma once

#include <string>

namespace jurnal {

enum class OpenMode { ReadWrite, ReadOnly };

enum class OpenOutcome {
  Ok,
  NotFound,       // the file does not exist
  AccessRefused,  // the file exists but refuses the access the mode asks for
  KeysDamaged,    // the file opened but a key is missing or not the one expected
  OtherError,     // anything else; errorText() says what
};

class FileDriver {
 public:
  virtual ~FileDriver() = default;

  virtual OpenOutcome open(OpenMode mode) = 0;
  // Lets stale locks go before one more try. `waitSeconds` is the manager's lock-recovery wait.
  virtual void recoverLocks(int waitSeconds) { (void)waitSeconds; }
  // Creates the file empty with its keys; the handle stays closed. False on failure.
  virtual bool create() = 0;
  // Rebuilds the keys of the open file; false on failure (a read-only file cannot).
  virtual bool rebuildKeys() = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Text of the last failure: "File Not Found", "Access Denied" or the storage engine's message.
  virtual std::string errorText() const = 0;
};

}  // namespace jurnal
