// The contact log JURNAL: one open SQLite connection to JURNAL.db with its six key orders.
// Texts are stored as UTF-8 without trailing blanks; the case-insensitive keys read a stored
// upper-case copy (NULL when the field is already upper case) through built-in functions only,
// so the sqlite3 tool can open, check and query the file. Equal key values keep the order in
// which the contacts were added (rowid).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/jurnalkeys.h"
#include "core/jurnalscan.h"
#include "core/records.h"
#include "core/sqlitekeyedfile.h"
#include "core/sqlitestatement.h"

namespace jurnal {

class JurnalFile final : public SqliteKeyedFile {
 public:
  static constexpr const char* kFileName = "JURNAL.db";

  // The file JURNAL.db in `folder` ("" = the working directory). Nothing is opened here.
  explicit JurnalFile(std::string folder = {});
  ~JurnalFile() override;

  // Rows of one order starting at `from` (nullopt: the start going forward, the end going
  // backward), at most `limit` of them, in the direction read.
  std::vector<JurnalRow> read(const JurSelection& sel, const std::optional<JurPosition>& from,
                              bool inclusive, bool forward, int limit);
  // A walk over the whole selection, row by row. Valid while this file stays open.
  std::unique_ptr<JurnalScan> scan(const JurSelection& sel, bool forward = true);
  std::unique_ptr<JurnalScan> scanFrom(const JurSelection& sel, const std::optional<JurPosition>& from,
                                       bool inclusive, bool forward);
  std::optional<JurnalRow> first(const JurSelection& sel);
  std::optional<JurnalRow> last(const JurSelection& sel);
  std::optional<JurnalRecord> fetch(std::int64_t id);
  std::int64_t count();

  // These do not report: the file manager does.
  Status insert(const JurnalRecord& rec, std::int64_t* newId = nullptr);
  Status update(std::int64_t id, const JurnalRecord& rec);
  Status remove(std::int64_t id);

  // Failure of the last read (reads that fail return no rows).
  const std::string& lastReadError() const { return m_readError; }

 private:
  friend class JurnalScan;
  void opened() override;
  void closing() override;
  static const char* const kColumns;  // the columns every read selects, in record order
  static void rowFromColumns(const SqliteStatement& st, JurnalRow& row);
  void bindRecord(SqliteStatement& st, const JurnalRecord& rec);
  Status notOpen() const;
  void noteReadError(int code);

  SqliteStatement m_insert, m_update, m_remove, m_fetch;
  std::array<std::string, 17> m_bindBuffers;  // converted texts of the record being written
  std::string m_readError;
};

}  // namespace jurnal
