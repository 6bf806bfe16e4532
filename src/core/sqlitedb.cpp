// SQLite connection wrapper.
#include "core/sqlitedb.h"

#include <sqlite3.h>

namespace jurnal {

SqliteDb::~SqliteDb() { close(); }

int SqliteDb::open(const std::string& path, bool readOnly, bool create) {
  close();
  int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  if (create && !readOnly) flags |= SQLITE_OPEN_CREATE;
  flags |= SQLITE_OPEN_NOMUTEX;
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    setError(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return rc;
  }
  m_db = db;
  m_readOnly = readOnly;
  sqlite3_extended_result_codes(m_db, 1);
  m_lastCode = 0;
  m_lastText.clear();
  return SQLITE_OK;
}

void SqliteDb::close() {
  if (m_db) {
    sqlite3_close_v2(m_db);
    m_db = nullptr;
  }
}

bool SqliteDb::exec(std::string_view sql) {
  const std::string text(sql);
  char* message = nullptr;
  const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    setError(rc, message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return false;
  }
  return true;
}

long long SqliteDb::queryInt(std::string_view sql, long long fallback) {
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &st, nullptr);
  if (rc != SQLITE_OK) {
    captureError(rc);
    return fallback;
  }
  long long value = fallback;
  rc = sqlite3_step(st);
  if (rc == SQLITE_ROW)
    value = sqlite3_column_int64(st, 0);
  else if (rc != SQLITE_DONE)
    captureError(rc);
  sqlite3_finalize(st);
  return value;
}

int SqliteDb::changes() const { return m_db ? sqlite3_changes(m_db) : 0; }

void SqliteDb::captureError(int code) {
  setError(code, m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code));
}

void SqliteDb::setError(int code, std::string text) {
  m_lastCode = code;
  m_lastText = std::move(text);
}

}  // namespace jurnal
