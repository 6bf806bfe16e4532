// Prepared statement wrapper.
#include "core/sqlitestatement.h"

#include <sqlite3.h>

#include <utility>

namespace jurnal {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
  m_prepareCode = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                     SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
  if (m_prepareCode != SQLITE_OK) {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_stmt); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_prepareCode(other.m_prepareCode) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(m_stmt);
    m_stmt = std::exchange(other.m_stmt, nullptr);
    m_prepareCode = other.m_prepareCode;
  }
  return *this;
}

void SqliteStatement::bind(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
void SqliteStatement::bind(int index, double value) { sqlite3_bind_double(m_stmt, index, value); }
void SqliteStatement::bind(int index, std::string_view utf8) {
  sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}
void SqliteStatement::bindStatic(int index, std::string_view utf8) {
  sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}
void SqliteStatement::bindNull(int index) { sqlite3_bind_null(m_stmt, index); }

int SqliteStatement::step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE; }

void SqliteStatement::reset() {
  if (!m_stmt) return;
  sqlite3_reset(m_stmt);
  sqlite3_clear_bindings(m_stmt);
}

std::int64_t SqliteStatement::int64(int column) const { return sqlite3_column_int64(m_stmt, column); }
double SqliteStatement::real(int column) const { return sqlite3_column_double(m_stmt, column); }
std::string_view SqliteStatement::text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
  return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
           : std::string_view();
}
bool SqliteStatement::isNull(int column) const {
  return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

}  // namespace jurnal
