// One SQLite connection owned by a keyed file: open flags, the pragmas every file uses, plain
// statements, and the last error as text. Every call checks its result; none throws.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace jurnal {

class SqliteDb {
 public:
  SqliteDb() = default;
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Opens `path`; `create` adds SQLITE_OPEN_CREATE. Returns the SQLite result code.
  int open(const std::string& path, bool readOnly, bool create);
  void close();
  bool isOpen() const { return m_db != nullptr; }
  bool readOnly() const { return m_readOnly; }
  sqlite3* handle() const { return m_db; }

  // Runs one or more statements without results; false on error (see errorText()).
  bool exec(std::string_view sql);
  // The first column of the first row of `sql` as an integer; `fallback` on error or no row.
  long long queryInt(std::string_view sql, long long fallback = 0);

  // Rows changed by the last INSERT, UPDATE or DELETE.
  int changes() const;

  int errorCode() const { return m_lastCode; }
  const std::string& errorText() const { return m_lastText; }
  // Keeps the code and message of the connection's last failure.
  void captureError(int code);
  void setError(int code, std::string text);

 private:
  sqlite3* m_db = nullptr;
  bool m_readOnly = false;
  int m_lastCode = 0;
  std::string m_lastText;
};

}  // namespace jurnal
