// What one logical thread holds of the four files: the record buffers, and per file the count
// of procedures that hold it open and the open handle. A procedure and the procedures it calls
// share these; another thread has its own.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/filedriver.h"
#include "core/records.h"

namespace jurnal {

class JurnalFile;
class BonusFile;

// The four files in the order their managers are created and released.
enum class FileId { Jurnal, Viv, Txt, Bonus };
inline constexpr int kFileCount = 4;

class ThreadFiles {
 public:
  ThreadFiles();
  ~ThreadFiles();
  ThreadFiles(const ThreadFiles&) = delete;
  ThreadFiles& operator=(const ThreadFiles&) = delete;

  JurnalRecord jurnal;
  BonusRecord bonus;
  VivRecord viv;
  TxtRecord txt;
  std::int64_t jurnalId = 0;  // row id of the stored contact in `jurnal` (0: none), set by whoever loads it

  int openCount(FileId file) const { return slot(file).openCount; }
  bool isOpen(FileId file) const { return slot(file).openCount > 0; }
  FileDriver* driver(FileId file) const { return slot(file).driver.get(); }

  // The open keyed files of this thread, or nullptr while closed.
  JurnalFile* jurnalFile() const;
  BonusFile* bonusFile() const;

 private:
  friend class FileManager;
  struct Slot {
    int openCount = 0;
    std::unique_ptr<FileDriver> driver;
  };
  Slot& slot(FileId file) { return m_slots[static_cast<std::size_t>(file)]; }
  const Slot& slot(FileId file) const { return m_slots[static_cast<std::size_t>(file)]; }

  std::array<Slot, kFileCount> m_slots;
};

}  // namespace jurnal
