// The diploma totals kept in BONUS.db.
#include "core/bonusfile.h"

#include <sqlite3.h>

#include "core/fixedtext.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

constexpr const char* kTableSql =
    "CREATE TABLE bonus(\n"
    "  id INTEGER PRIMARY KEY,\n"
    "  diplom_name TEXT NOT NULL,\n"
    "  summa INTEGER NOT NULL,\n"
    "  diplom_name_u TEXT)";
constexpr const char* kIndexSql =
    "CREATE UNIQUE INDEX bon_keydiplom_name ON bonus(coalesce(diplom_name_u, diplom_name))"
    " WHERE diplom_name <> ''";
constexpr const char* kKeyExpr = "coalesce(diplom_name_u, diplom_name)";

constexpr const char* kLayoutSql =
    "CREATE TABLE layout(label TEXT NOT NULL, kind TEXT NOT NULL, type TEXT NOT NULL,\n"
    "  byte_offset INTEGER, width INTEGER, column_name TEXT, stored_name TEXT, description TEXT)";
constexpr const char* kLayoutRows =
    "INSERT INTO layout VALUES\n"
    " ('BON:DIPLOM_NAME','field','string',0,20,'diplom_name',NULL,NULL),\n"
    " ('BON:SUMMA','field','packed decimal',20,3,'summa',NULL,NULL),\n"
    " ('BON:KeyDiplom_Name','key','string',NULL,NULL,'bon_keydiplom_name',NULL,'BON:KeyDiplom_Name')";

SqliteSchema bonusSchema() {
  SqliteSchema s;
  s.fileName = BonusFile::kFileName;
  s.tableName = "bonus";
  s.tableSql = kTableSql;
  s.indexes = {{"bon_keydiplom_name", kIndexSql}};
  s.setupSql = {kLayoutSql, kLayoutRows};
  return s;
}

void rowFromColumns(const SqliteStatement& st, BonusRow& row) {
  row.id = st.int64(0);
  setField(row.rec.diplomName, utf8ToCp1251(st.text(1)));
  row.rec.summa.set(static_cast<std::int32_t>(st.int64(2)));
}

constexpr const char* kSelect = "SELECT id, diplom_name, summa FROM bonus";

}  // namespace

BonusFile::BonusFile(std::string folder) : SqliteKeyedFile(std::move(folder), bonusSchema()) {}

BonusFile::~BonusFile() { close(); }

void BonusFile::opened() {
  m_insert = SqliteStatement(m_db.handle(),
                             "INSERT INTO bonus(diplom_name, summa, diplom_name_u) VALUES(?1, ?2, ?3)");
  m_update = SqliteStatement(m_db.handle(),
                             "UPDATE bonus SET diplom_name = ?1, summa = ?2, diplom_name_u = ?3 WHERE id = ?4");
  m_remove = SqliteStatement(m_db.handle(), "DELETE FROM bonus WHERE id = ?4");
}

void BonusFile::closing() {
  m_insert = SqliteStatement();
  m_update = SqliteStatement();
  m_remove = SqliteStatement();
}

Status BonusFile::write(SqliteStatement& st, const BonusRecord* rec, std::int64_t id, bool mustChange) {
  if (!isOpen() || !st.valid()) return Status::failure(ErrorCode::RecordWriteError, "file is not open");
  st.reset();
  if (rec) {
    const std::string_view name = fieldText(rec->diplomName);
    const std::string upper = upperCp1251(name);
    st.bind(1, cp1251ToUtf8(name));
    st.bind(2, std::int64_t{rec->summa.get()});
    if (upper == name)
      st.bindNull(3);
    else
      st.bind(3, cp1251ToUtf8(upper));
  }
  if (id) st.bind(4, id);
  const int rc = st.step();
  if (rc != SQLITE_DONE) {
    Status s = failure(rc);
    st.reset();
    return s;
  }
  st.reset();
  if (mustChange && m_db.changes() == 0) return Status::failure(ErrorCode::RecordWriteError, "record not found");
  noteWrite();
  return Status::success();
}

Status BonusFile::insert(const BonusRecord& rec, std::int64_t* newId) {
  Status s = write(m_insert, &rec, 0, false);
  if (s && newId) *newId = sqlite3_last_insert_rowid(m_db.handle());
  return s;
}

Status BonusFile::update(std::int64_t id, const BonusRecord& rec) { return write(m_update, &rec, id, true); }

Status BonusFile::remove(std::int64_t id) { return write(m_remove, nullptr, id, true); }

Status BonusFile::replaceAll(const std::vector<BonusRecord>& records) {
  if (!isOpen()) return Status::failure(ErrorCode::RecordWriteError, "file is not open");
  const bool own = !inTransaction();
  if (own) {
    if (Status s = begin(); !s) return s;
  }
  Status result;
  if (!m_db.exec("DELETE FROM bonus;")) result = Status::failure(ErrorCode::RecordWriteError, m_db.errorText());
  for (std::size_t i = 0; result && i < records.size(); ++i) result = insert(records[i]);
  if (own) {
    if (result)
      result = commit();
    else
      rollback();
  }
  return result;
}

std::vector<BonusRow> BonusFile::readAll() {
  std::vector<BonusRow> rows;
  if (!isOpen()) return rows;
  SqliteStatement st(m_db.handle(), std::string(kSelect) +
                                        " INDEXED BY bon_keydiplom_name WHERE diplom_name <> '' ORDER BY " +
                                        kKeyExpr + ", id");
  BonusRow row;
  while (st.valid() && st.step() == SQLITE_ROW) {
    rowFromColumns(st, row);
    rows.push_back(row);
  }
  return rows;
}

std::optional<BonusRow> BonusFile::find(std::string_view cp1251Name) {
  const std::string_view name = trimRight(cp1251Name);
  if (!isOpen() || name.empty()) return std::nullopt;
  SqliteStatement st(m_db.handle(), std::string(kSelect) + " WHERE diplom_name <> '' AND " + kKeyExpr + " = ?1");
  st.bind(1, cp1251ToUtf8(upperCp1251(name)));
  if (!st.valid() || st.step() != SQLITE_ROW) return std::nullopt;
  BonusRow row;
  rowFromColumns(st, row);
  return row;
}

std::optional<BonusRecord> BonusFile::fetch(std::int64_t id) {
  if (!isOpen()) return std::nullopt;
  SqliteStatement st(m_db.handle(), std::string(kSelect) + " WHERE id = ?1");
  st.bind(1, id);
  if (!st.valid() || st.step() != SQLITE_ROW) return std::nullopt;
  BonusRow row;
  rowFromColumns(st, row);
  return row.rec;
}

std::int64_t BonusFile::count() { return isOpen() ? m_db.queryInt("SELECT count(*) FROM bonus", 0) : 0; }

}  // namespace jurnal
