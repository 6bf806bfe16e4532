// Opening, creating and repairing a keyed file kept as an SQLite database.
#include "core/sqlitekeyedfile.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "core/sqlitestatement.h"

namespace jurnal {
namespace {

constexpr const char* kNotFound = "File Not Found";
constexpr const char* kAccessDenied = "Access Denied";

// Page caches in KiB (negative: SQLite's unit for a size in KiB): an ordinary connection reads
// pages near the ends of a few orders; batch work touches every key at random places and keeps
// the keys of a million contacts in memory instead of rereading them for each record.
constexpr const char* kNormalCache = "PRAGMA cache_size=-16384;";
constexpr const char* kBatchCache = "PRAGMA cache_size=-262144;";
constexpr const char* kSortCache = "PRAGMA cache_size=-4096;";
// Quick scan reads through a memory map (bytes): a walk in an order other than the date order
// jumps between the pages of the whole file, and a map spares a system call and a copy for each.
constexpr const char* kQuickScanOn = "PRAGMA mmap_size=1073741824;";

bool isBusy(int code) {
  const int primary = code & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

}  // namespace

SqliteKeyedFile::SqliteKeyedFile(std::string folder, SqliteSchema schema)
    : m_schema(std::move(schema)) {
  if (folder.empty()) folder = ".";
  if (folder.back() != '/') folder += '/';
  m_path = folder + m_schema.fileName;
}

SqliteKeyedFile::~SqliteKeyedFile() {
  // Derived classes close in their own destructors so that their statements go first.
  m_db.close();
}

void SqliteKeyedFile::close() {
  if (!m_db.isOpen()) return;
  if (m_inTransaction) rollback();
  closing();
  m_db.close();
}

bool SqliteKeyedFile::applyConnectionSettings() {
  sqlite3_busy_timeout(m_db.handle(), kBusyTimeoutMs);
  // A contact reported saved survives a crash or power cut: WAL with a sync on every commit.
  if (!m_db.exec("PRAGMA synchronous=FULL;") || !m_db.exec(kNormalCache)) return false;
  // Quick scan is off until a walk asks for it: windows read through the page cache alone.
  if (!m_db.exec("PRAGMA mmap_size=0;")) return false;
  if (!m_db.readOnly() && !m_db.exec("PRAGMA journal_mode=WAL;")) return false;
  return true;
}

OpenOutcome SqliteKeyedFile::open(OpenMode mode) {
  close();
  struct stat st {};
  if (::stat(m_path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      m_errorText = kNotFound;
      return OpenOutcome::NotFound;
    }
    if (errno == EACCES) {
      m_errorText = kAccessDenied;
      return OpenOutcome::AccessRefused;
    }
    m_errorText = std::strerror(errno);
    return OpenOutcome::OtherError;
  }
  const bool readOnly = mode == OpenMode::ReadOnly;
  // A file without any write permission refuses writing to everyone, the superuser included,
  // as a read-only file does on other systems; access() alone would let root through.
  if (!readOnly && ((st.st_mode & 0222) == 0 || ::access(m_path.c_str(), W_OK) != 0)) {
    m_errorText = kAccessDenied;
    return OpenOutcome::AccessRefused;
  }
  const int rc = m_db.open(m_path, readOnly, false);
  if (rc != SQLITE_OK) {
    m_errorText = m_db.errorText();
    return isBusy(rc) || (rc & 0xff) == SQLITE_PERM ? OpenOutcome::AccessRefused : OpenOutcome::OtherError;
  }
  auto fail = [this](OpenOutcome outcome) {
    m_errorText = m_db.errorText();
    m_db.close();
    return outcome;
  };
  if (!readOnly && sqlite3_db_readonly(m_db.handle(), "main") == 1) {
    m_db.setError(SQLITE_READONLY, kAccessDenied);
    return fail(OpenOutcome::AccessRefused);
  }
  if (!applyConnectionSettings())
    return fail(isBusy(m_db.errorCode()) ? OpenOutcome::AccessRefused : OpenOutcome::OtherError);

  std::map<std::string, std::string> objects;
  {
    SqliteStatement st(m_db.handle(),
                       "SELECT name, sql FROM sqlite_master WHERE type IN ('table','index')");
    if (!st.valid()) {
      m_db.captureError(st.prepareCode());
      return fail(isBusy(st.prepareCode()) ? OpenOutcome::AccessRefused : OpenOutcome::OtherError);
    }
    int step;
    while ((step = st.step()) == SQLITE_ROW) objects[std::string(st.text(0))] = std::string(st.text(1));
    if (step != SQLITE_DONE) {
      m_db.captureError(step);
      return fail(isBusy(step) ? OpenOutcome::AccessRefused : OpenOutcome::OtherError);
    }
  }
  const auto table = objects.find(m_schema.tableName);
  if (table == objects.end()) {
    if (objects.empty()) {
      // An empty database (a file of zero bytes left by an interrupted creation) is no file yet.
      m_db.close();
      m_errorText = kNotFound;
      return OpenOutcome::NotFound;
    }
    m_db.setError(SQLITE_CORRUPT, "table " + m_schema.tableName + " is missing");
    return fail(OpenOutcome::OtherError);
  }
  if (table->second != m_schema.tableSql) {
    m_db.setError(SQLITE_CORRUPT, "table " + m_schema.tableName + " has an unexpected layout");
    return fail(OpenOutcome::OtherError);
  }
  for (const auto& [name, sql] : m_schema.indexes) {
    const auto found = objects.find(name);
    if (found == objects.end() || found->second != sql) {
      // Stay open: the manager rebuilds the keys on this connection.
      m_errorText = "key " + name + (found == objects.end() ? " is missing" : " differs");
      return OpenOutcome::KeysDamaged;
    }
  }
  m_errorText.clear();
  opened();
  return OpenOutcome::Ok;
}

bool SqliteKeyedFile::create() {
  close();
  if (m_db.open(m_path, false, true) != SQLITE_OK) {
    m_errorText = m_db.errorText();
    return false;
  }
  sqlite3_busy_timeout(m_db.handle(), kBusyTimeoutMs);
  bool ok = m_db.exec("PRAGMA journal_mode=WAL;") && m_db.exec("BEGIN IMMEDIATE;");
  if (ok) {
    // Another process may have created it meanwhile: then there is nothing to do.
    const std::string probe =
        "SELECT count(*) FROM sqlite_master WHERE name='" + m_schema.tableName + "'";
    if (m_db.queryInt(probe, -1) == 0) {
      ok = m_db.exec(m_schema.tableSql);
      for (const auto& index : m_schema.indexes) ok = ok && m_db.exec(index.second);
      for (const auto& sql : m_schema.setupSql) ok = ok && m_db.exec(sql);
    }
    ok = ok && m_db.exec("COMMIT;");
    if (!ok) {
      const std::string text = m_db.errorText();
      m_db.exec("ROLLBACK;");
      m_db.setError(SQLITE_ERROR, text);
    }
  }
  m_errorText = ok ? std::string() : m_db.errorText();
  m_db.close();
  return ok;
}

bool SqliteKeyedFile::rebuildKeys() {
  if (!m_db.isOpen()) {
    m_errorText = "file is not open";
    return false;
  }
  bool ok = m_db.exec("BEGIN IMMEDIATE;");
  for (const auto& [name, sql] : m_schema.indexes) {
    if (!ok) break;
    ok = m_db.exec("DROP INDEX IF EXISTS " + name + ";") && m_db.exec(sql);
  }
  ok = ok && m_db.exec("COMMIT;");
  if (!ok) {
    const std::string text = m_db.errorText();
    m_db.exec("ROLLBACK;");
    m_errorText = text;
  }
  m_db.close();
  return ok;
}

void SqliteKeyedFile::setQuickScan(bool on) {
  if (m_db.isOpen()) m_db.exec(on ? kQuickScanOn : "PRAGMA mmap_size=0;");
}

bool SqliteKeyedFile::beginBulkLoad() {
  if (!m_db.isOpen() || m_db.readOnly() || m_inTransaction || m_bulkLoad) return false;
  sqlite3_stmt* probe = nullptr;
  const std::string sql = "SELECT 1 FROM " + m_schema.tableName + " LIMIT 1";
  if (sqlite3_prepare_v2(m_db.handle(), sql.c_str(), -1, &probe, nullptr) != SQLITE_OK) return false;
  const bool empty = sqlite3_step(probe) == SQLITE_DONE;
  sqlite3_finalize(probe);
  if (!empty) return false;
  bool ok = m_db.exec("BEGIN IMMEDIATE;");
  for (const auto& index : m_schema.indexes) {
    if (!ok) break;
    ok = m_db.exec("DROP INDEX IF EXISTS " + index.first + ";");
  }
  ok = ok && m_db.exec("COMMIT;");
  if (!ok) {
    m_db.exec("ROLLBACK;");
    return false;
  }
  // While an empty log is loaded, its batches are not synced one by one (the write-ahead log
  // keeps the file consistent whatever happens); the final commit that builds the keys is
  // synced and with it everything loaded before.
  m_db.exec("PRAGMA synchronous=NORMAL;");
  m_bulkLoad = true;
  return true;
}

Status SqliteKeyedFile::endBulkLoad() {
  if (!m_bulkLoad) return Status::success();
  if (m_inTransaction) {
    if (Status s = commit(); !s) return s;
  }
  // The keys are built by sorting. Small sorted runs that fit the processor's cache, merged
  // afterwards, beat one large in-memory sort (measured: a third less processor time on a
  // million contacts); the page cache bounds the size of a run (bytes).
  m_db.exec("PRAGMA synchronous=FULL;");
  m_db.exec(kSortCache);
  m_db.exec("PRAGMA threads=2;");
  bool ok = m_db.exec("BEGIN IMMEDIATE;");
  for (const auto& index : m_schema.indexes) {
    if (!ok) break;
    // Another opener may have rebuilt the keys meanwhile; those stand.
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_prepare_v2(m_db.handle(), "SELECT 1 FROM sqlite_master WHERE type='index' AND name=?1", -1, &probe,
                           nullptr) != SQLITE_OK) {
      ok = false;
      break;
    }
    sqlite3_bind_text(probe, 1, index.first.c_str(), -1, SQLITE_TRANSIENT);
    const bool exists = sqlite3_step(probe) == SQLITE_ROW;
    sqlite3_finalize(probe);
    if (!exists) ok = m_db.exec(index.second);
  }
  ok = ok && m_db.exec("COMMIT;");
  const std::string text = ok ? std::string() : m_db.errorText();
  if (!ok) m_db.exec("ROLLBACK;");
  m_db.exec("PRAGMA threads=0;");
  m_db.exec("PRAGMA synchronous=FULL;");
  m_db.exec(kNormalCache);
  m_bulkLoad = false;
  return ok ? Status::success() : Status::failure(ErrorCode::RecordWriteError, text);
}

Status SqliteKeyedFile::begin() {
  if (m_inTransaction) return Status::success();
  m_db.exec(kBatchCache);
  if (!m_db.exec("BEGIN IMMEDIATE;")) return Status::failure(ErrorCode::RecordWriteError, m_db.errorText());
  m_inTransaction = true;
  return Status::success();
}

Status SqliteKeyedFile::commit() {
  if (!m_inTransaction) return Status::success();
  if (!m_db.exec("COMMIT;")) {
    const std::string text = m_db.errorText();
    rollback();
    return Status::failure(ErrorCode::RecordWriteError, text);
  }
  m_inTransaction = false;
  // The batch page cache stays for the next commit of the same run (an import commits once per
  // time slice); it goes with the connection.
  return Status::success();
}

Status SqliteKeyedFile::rollback() {
  if (!m_inTransaction) return Status::success();
  m_inTransaction = false;
  m_db.exec(kNormalCache);
  if (!m_db.exec("ROLLBACK;")) return Status::failure(ErrorCode::RecordWriteError, m_db.errorText());
  return Status::success();
}

std::int64_t SqliteKeyedFile::dataVersion() {
  if (!m_db.isOpen()) return 0;
  return m_db.queryInt("PRAGMA data_version", 0) + m_ownWrites;
}

Status SqliteKeyedFile::failure(int sqliteCode) {
  m_db.captureError(sqliteCode);
  if (sqliteCode == SQLITE_CONSTRAINT_UNIQUE)
    return Status::failure(ErrorCode::DuplicateKey, m_db.errorText());
  return Status::failure(ErrorCode::RecordWriteError, m_db.errorText());
}

}  // namespace jurnal
