// A keyed file kept as one SQLite database: the open checks (missing file, refused write
// access, keys missing or different from the expected ones), creation with its keys, key
// rebuild, and transactions. JurnalFile and BonusFile describe their schema and add records.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/filedriver.h"
#include "core/sqlitedb.h"

namespace jurnal {

struct SqliteSchema {
  std::string fileName;    // on disk, e.g. "JURNAL.db"
  std::string tableName;   // the records' table
  std::string tableSql;    // its CREATE TABLE, exactly as stored
  std::vector<std::pair<std::string, std::string>> indexes;  // name, CREATE INDEX as stored
  std::vector<std::string> setupSql;  // further statements run once at creation (layout table)
};

class SqliteKeyedFile : public FileDriver {
 public:
  // Busy timeout: how long a connection waits for another's lock (ms); also the
  // lock-recovery wait of the file managers (10 s).
  static constexpr int kBusyTimeoutMs = 10000;

  SqliteKeyedFile(std::string folder, SqliteSchema schema);
  ~SqliteKeyedFile() override;

  OpenOutcome open(OpenMode mode) override;
  bool create() override;
  bool rebuildKeys() override;
  void close() override;
  bool isOpen() const override { return m_db.isOpen(); }
  std::string errorText() const override { return m_errorText; }

  bool readOnly() const { return m_db.readOnly(); }
  const std::string& path() const { return m_path; }

  // Batch work: one transaction for many writes. begin() takes the write lock at once.
  Status begin();
  Status commit();
  Status rollback();
  bool inTransaction() const { return m_inTransaction; }

  // Quick scan: block reading for walks over a whole selection (reports, export, totals).
  // Off by default, so that windows that only page through the log stay small in memory.
  void setQuickScan(bool on);
  // Loading many records into an EMPTY file: the keys are dropped while the records are
  // added and built once at the end, a sort per key instead of a tree insert per record and
  // key. Does nothing (returns false) when the file holds records. A crash in between leaves
  // a file without keys, which the next open reports as invalid and rebuilds.
  bool beginBulkLoad();
  Status endBulkLoad();
  bool inBulkLoad() const { return m_bulkLoad; }
  // Changes to the file by any connection: grows whenever the data may have changed.
  std::int64_t dataVersion();

 protected:
  // Called after a successful open and before close: prepare and drop statements.
  virtual void opened() {}
  virtual void closing() {}
  // Status of the last failed step of the connection; DuplicateKey for a unique-key breach.
  Status failure(int sqliteCode);
  void noteWrite() { ++m_ownWrites; }

  SqliteDb m_db;

 private:
  bool applyConnectionSettings();

  std::string m_path;
  SqliteSchema m_schema;
  std::string m_errorText;
  bool m_inTransaction = false;
  bool m_bulkLoad = false;
  std::int64_t m_ownWrites = 0;
};

}  // namespace jurnal
