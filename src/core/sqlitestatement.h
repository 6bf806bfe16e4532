// A prepared SQLite statement: binding by position (from 1), stepping and column reads.
// Finalised when destroyed; reset() makes it ready for the next run with new bindings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace jurnal {

class SqliteStatement {
 public:
  SqliteStatement() = default;
  SqliteStatement(sqlite3* db, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  bool valid() const { return m_stmt != nullptr; }
  int prepareCode() const { return m_prepareCode; }

  void bind(int index, std::int64_t value);
  void bind(int index, double value);
  void bind(int index, std::string_view utf8);
  // Binds text that stays unchanged and alive until the statement has been stepped and reset.
  void bindStatic(int index, std::string_view utf8);
  void bindNull(int index);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step();
  void reset();

  std::int64_t int64(int column) const;
  double real(int column) const;
  std::string_view text(int column) const;  // UTF-8, valid until the next step
  bool isNull(int column) const;

 private:
  sqlite3_stmt* m_stmt = nullptr;
  int m_prepareCode = 0;
};

}  // namespace jurnal
