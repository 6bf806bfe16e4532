// The diploma totals BONUS: one SQLite connection to BONUS.db. The only key,
// BON:KeyDiplom_Name, is unique regardless of letter case and optional: records with a blank
// name are stored but left out of the key order and of its uniqueness.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/records.h"
#include "core/sqlitekeyedfile.h"
#include "core/sqlitestatement.h"

namespace jurnal {

struct BonusRow {
  std::int64_t id = 0;
  BonusRecord rec{};
};

class BonusFile final : public SqliteKeyedFile {
 public:
  static constexpr const char* kFileName = "BONUS.db";
  // The key's description, named in the duplicate-key report.
  static constexpr const char* kKeyDescription = "BON:KeyDiplom_Name";

  explicit BonusFile(std::string folder = {});
  ~BonusFile() override;

  // All records in key order (blank names left out).
  std::vector<BonusRow> readAll();
  // The record of a diploma name, compared in upper case without trailing blanks.
  std::optional<BonusRow> find(std::string_view cp1251Name);
  std::optional<BonusRecord> fetch(std::int64_t id);
  std::int64_t count();  // every record, blank names included

  // These do not report: the file manager does. A case variant of a stored name gives
  // ErrorCode::DuplicateKey and leaves the file unchanged.
  Status insert(const BonusRecord& rec, std::int64_t* newId = nullptr);
  Status update(std::int64_t id, const BonusRecord& rec);
  Status remove(std::int64_t id);
  // Empties the file and stores `records` in one transaction: other connections see either the
  // old totals or the new ones, never a mix. On failure nothing changes.
  Status replaceAll(const std::vector<BonusRecord>& records);

 private:
  void opened() override;
  void closing() override;
  Status write(SqliteStatement& st, const BonusRecord* rec, std::int64_t id, bool mustChange);

  SqliteStatement m_insert, m_update, m_remove;
};

}  // namespace jurnal
