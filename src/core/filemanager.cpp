// The opening algorithm and the record writes of the four file managers.
#include "core/filemanager.h"

#include "core/bonusfile.h"
#include "core/jurnalfile.h"
#include "core/textfiledriver.h"

namespace jurnal {
namespace {

std::string g_folder;

constexpr const char* kTextFileName = "jurnal.txt";

}  // namespace

FileManager::FileManager(FileId id, std::string displayName, bool createWhenMissing,
                         const char* keyDescription)
    : m_id(id), m_displayName(std::move(displayName)), m_createWhenMissing(createWhenMissing),
      m_keyDescription(keyDescription) {}

FileManager& FileManager::jurnal() {
  static FileManager m(FileId::Jurnal, "Jurnal", true, "");
  return m;
}
FileManager& FileManager::viv() {
  static FileManager m(FileId::Viv, "jurnal.txt", true, "");
  return m;
}
FileManager& FileManager::txt() {
  static FileManager m(FileId::Txt, "jurnal.txt", false, "");
  return m;
}
FileManager& FileManager::bonus() {
  static FileManager m(FileId::Bonus, "Bonus", true, BonusFile::kKeyDescription);
  return m;
}

FileManager& FileManager::of(FileId file) {
  switch (file) {
    case FileId::Jurnal: return jurnal();
    case FileId::Viv: return viv();
    case FileId::Txt: return txt();
    case FileId::Bonus: return bonus();
  }
  return jurnal();
}

void FileManager::setFolder(std::string folder) { g_folder = std::move(folder); }
const std::string& FileManager::folder() { return g_folder; }

void FileManager::resetAll() {
  for (FileManager* m : {&jurnal(), &viv(), &txt(), &bonus()}) {
    m->m_mode = OpenMode::ReadWrite;
    m->m_factory = nullptr;
  }
  g_folder.clear();
}

void FileManager::setDriverFactory(DriverFactory factory) { m_factory = std::move(factory); }

std::unique_ptr<FileDriver> FileManager::makeDriver() const {
  if (m_factory) return m_factory(g_folder);
  switch (m_id) {
    case FileId::Jurnal: return std::make_unique<JurnalFile>(g_folder);
    case FileId::Bonus: return std::make_unique<BonusFile>(g_folder);
    case FileId::Viv:
    case FileId::Txt: return std::make_unique<TextFileDriver>(g_folder, kTextFileName);
  }
  return nullptr;
}

bool FileManager::open(ThreadFiles& thread) {
  ThreadFiles::Slot& slot = thread.slot(m_id);
  if (slot.openCount > 0) {
    ++slot.openCount;
    return true;
  }
  slot.driver = makeDriver();
  FileDriver& driver = *slot.driver;
  auto fatal = [&](ErrorCode code) {
    const std::string text = driver.errorText();
    driver.close();
    slot.driver.reset();
    reportError(code, m_displayName, text);
    return false;
  };

  for (int pass = 0; pass < 2; ++pass) {
    OpenOutcome outcome = driver.open(m_mode);
    if (outcome == OpenOutcome::AccessRefused) {
      driver.recoverLocks(kLockRecoveryWait);
      outcome = driver.open(m_mode);
    }
    switch (outcome) {
      case OpenOutcome::Ok:
        slot.openCount = 1;
        return true;
      case OpenOutcome::NotFound:
        if (!m_createWhenMissing) return fatal(ErrorCode::FileAccessError);
        if (!driver.create()) return fatal(ErrorCode::FileCreationError);
        break;
      case OpenOutcome::AccessRefused:
        if (m_mode == OpenMode::ReadOnly) {
          pass = 2;  // nothing more to try
          break;
        }
        reportError(ErrorCode::AccessDenied, m_displayName);
        m_mode = OpenMode::ReadOnly;
        break;
      case OpenOutcome::KeysDamaged:
        reportError(ErrorCode::InvalidKey, m_displayName);
        if (!driver.rebuildKeys()) return fatal(ErrorCode::KeyNotBuilt);
        break;
      case OpenOutcome::OtherError:
        return fatal(ErrorCode::FileAccessError);
    }
  }
  return fatal(ErrorCode::FileAccessError);
}

void FileManager::close(ThreadFiles& thread) {
  ThreadFiles::Slot& slot = thread.slot(m_id);
  if (slot.openCount == 0) return;
  if (--slot.openCount == 0) {
    slot.driver->close();
    slot.driver.reset();
  }
}

Status FileManager::reportWrite(Status status, bool reportOther) const {
  if (status.code == ErrorCode::DuplicateKey)
    reportError(ErrorCode::DuplicateKey, m_displayName, status.text, m_keyDescription);
  else if (!status && reportOther)
    reportError(ErrorCode::RecordWriteError, m_displayName, status.text);
  return status;
}

Status FileManager::insert(ThreadFiles& thread, std::int64_t* newId) {
  Status s = Status::failure(ErrorCode::RecordWriteError, "file is not open");
  if (JurnalFile* f = m_id == FileId::Jurnal ? thread.jurnalFile() : nullptr)
    s = f->insert(thread.jurnal, newId);
  else if (BonusFile* b = m_id == FileId::Bonus ? thread.bonusFile() : nullptr)
    s = b->insert(thread.bonus, newId);
  return reportWrite(std::move(s), true);
}

Status FileManager::update(ThreadFiles& thread, std::int64_t id) {
  Status s = Status::failure(ErrorCode::RecordWriteError, "file is not open");
  if (JurnalFile* f = m_id == FileId::Jurnal ? thread.jurnalFile() : nullptr)
    s = f->update(id, thread.jurnal);
  else if (BonusFile* b = m_id == FileId::Bonus ? thread.bonusFile() : nullptr)
    s = b->update(id, thread.bonus);
  return reportWrite(std::move(s), false);
}

Status FileManager::remove(ThreadFiles& thread, std::int64_t id) {
  Status s = Status::failure(ErrorCode::RecordWriteError, "file is not open");
  if (JurnalFile* f = m_id == FileId::Jurnal ? thread.jurnalFile() : nullptr)
    s = f->remove(id);
  else if (BonusFile* b = m_id == FileId::Bonus ? thread.bonusFile() : nullptr)
    s = b->remove(id);
  return reportWrite(std::move(s), false);
}

}  // namespace jurnal
