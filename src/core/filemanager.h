// The file managers of the four files: per-thread opening with a use count, the opening
// fallbacks (create when missing, read-only after refused write access, key rebuild) with their
// reports, and insert, change and delete of a thread's record buffer reporting failures.
// Created at start-up in the order JURNAL, VIV, TXT, BONUS; nothing is opened then.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/errors.h"
#include "core/filedriver.h"
#include "core/threadfiles.h"

namespace jurnal {

class FileManager {
 public:
  // Makes one thread's driver of the file in `folder`.
  using DriverFactory = std::function<std::unique_ptr<FileDriver>(const std::string& folder)>;

  // Seconds the storage engine waits for another user's lock before giving up.
  static constexpr int kLockRecoveryWait = 10;

  static FileManager& jurnal();
  static FileManager& viv();
  static FileManager& txt();
  static FileManager& bonus();
  static FileManager& of(FileId file);

  // The folder every file lives in; "" (the default) is the working directory. Set it before
  // any thread opens a file.
  static void setFolder(std::string folder);
  static const std::string& folder();
  // Back to the start-up state: read/write open modes, standard drivers, working directory.
  static void resetAll();

  FileId id() const { return m_id; }
  const std::string& displayName() const { return m_displayName; }
  bool createWhenMissing() const { return m_createWhenMissing; }
  // True once write access was refused: the file stays read-only for the rest of the run.
  bool readOnly() const { return m_mode == OpenMode::ReadOnly; }

  // Replaces the driver (the text drivers plug in here). nullptr restores the standard one.
  void setDriverFactory(DriverFactory factory);

  // Opens the file for one procedure of the thread. False after a fatal report (in the real
  // program a fatal report does not return).
  bool open(ThreadFiles& thread);
  // Releases one procedure's use; the file closes when the thread's count reaches zero.
  void close(ThreadFiles& thread);

  // Writes the thread's record buffer. Insert reports every failure; update and remove report
  // a broken unique key and leave other failures to the caller, which asks whether to retry.
  Status insert(ThreadFiles& thread, std::int64_t* newId = nullptr);
  Status update(ThreadFiles& thread, std::int64_t id);
  Status remove(ThreadFiles& thread, std::int64_t id);

 private:
  FileManager(FileId id, std::string displayName, bool createWhenMissing, const char* keyDescription);
  std::unique_ptr<FileDriver> makeDriver() const;
  Status reportWrite(Status status, bool reportOther) const;

  FileId m_id;
  std::string m_displayName;
  bool m_createWhenMissing;
  std::string m_keyDescription;  // of the file's unique key, for the duplicate-key report
  OpenMode m_mode = OpenMode::ReadWrite;
  DriverFactory m_factory;
};

}  // namespace jurnal
