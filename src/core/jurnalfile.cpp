// The contact log kept in JURNAL.db: schema, record conversion, reads and writes.
#include "core/jurnalfile.h"

#include <sqlite3.h>

#include <algorithm>

#include "core/fixedtext.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

// Upper-case copies are NULL when the field is upper case already: most callsigns and
// diplomas are, and the keys read coalesce(copy, field).
constexpr const char* kTableSql =
    "CREATE TABLE jurnal(\n"
    "  id INTEGER PRIMARY KEY,\n"
    "  date INTEGER NOT NULL,\n"
    "  uts INTEGER NOT NULL,\n"
    "  band REAL NOT NULL,\n"
    "  radio TEXT NOT NULL,\n"
    "  rss TEXT NOT NULL,\n"
    "  rsr TEXT NOT NULL,\n"
    "  qth TEXT NOT NULL,\n"
    "  operator TEXT NOT NULL,\n"
    "  diplom TEXT NOT NULL,\n"
    "  bonus INTEGER NOT NULL,\n"
    "  remarks TEXT NOT NULL,\n"
    "  qsl_res TEXT NOT NULL,\n"
    "  qls_send TEXT NOT NULL,\n"
    "  radio_u TEXT,\n"
    "  qth_u TEXT,\n"
    "  diplom_u TEXT)";

constexpr const char* kLayoutSql =
    "CREATE TABLE layout(label TEXT NOT NULL, kind TEXT NOT NULL, type TEXT NOT NULL,\n"
    "  byte_offset INTEGER, width INTEGER, column_name TEXT, stored_name TEXT, description TEXT)";

// Every field and key of the record: label, type, offset and width in the 127-byte buffer,
// column, and the stored name where the field or key has one.
constexpr const char* kLayoutRows =
    "INSERT INTO layout VALUES\n"
    " ('JUR:DATE','field','date',0,4,'date',NULL,NULL),\n"
    " ('JUR:UTS','field','time',4,4,'uts',NULL,NULL),\n"
    " ('JUR:BAND','field','real',8,8,'band',NULL,NULL),\n"
    " ('JUR:RADIO','field','string',16,12,'radio',NULL,NULL),\n"
    " ('JUR:RSS','field','string',28,5,'rss','RSS=N(2.0)',NULL),\n"
    " ('JUR:RSR','field','string',33,5,'rsr','RSR=N(2.0)',NULL),\n"
    " ('JUR:QTH','field','string',38,15,'qth',NULL,NULL),\n"
    " ('JUR:OPERATOR','field','string',53,20,'operator',NULL,NULL),\n"
    " ('JUR:DIPLOM','field','string',73,20,'diplom',NULL,NULL),\n"
    " ('JUR:BONUS','field','short',93,2,'bonus','BONUS=N(4.0)',NULL),\n"
    " ('JUR:REMARKS','field','string',95,30,'remarks',NULL,NULL),\n"
    " ('JUR:QSL_RES','field','string',125,1,'qsl_res',NULL,NULL),\n"
    " ('JUR:QLS_SEND','field','string',126,1,'qls_send',NULL,NULL),\n"
    " ('JUR:INDEX','key','date',NULL,NULL,'jur_index','INDEX=D[DATE]','По дате'),\n"
    " ('JUR:BAND_KEY','key','real',NULL,NULL,'jur_band_key',NULL,'По BAND'),\n"
    " ('JUR:RADIO_KEY','key','string',NULL,NULL,'jur_radio_key',NULL,'По RADIO'),\n"
    " ('JUR:QTH_KEY','key','string',NULL,NULL,'jur_qth_key',NULL,'По QTH'),\n"
    " ('JUR:DIPLOM_KEY','key','string',NULL,NULL,'jur_diplom_key',NULL,'По диплому'),\n"
    " ('JUR:BONUS_KEY','key','short',NULL,NULL,'jur_bonus_key',NULL,'По очкам')";

SqliteSchema jurnalSchema() {
  SqliteSchema s;
  s.fileName = JurnalFile::kFileName;
  s.tableName = "jurnal";
  s.tableSql = kTableSql;
  for (int k = 0; k < kJurKeyCount; ++k) {
    const JurKeyStorage& st = jurKeyStorage(static_cast<JurKey>(k));
    std::string sql = std::string("CREATE INDEX ") + st.index + " ON jurnal(" + st.expr + ")";
    if (*st.where) sql += std::string(" WHERE ") + st.where;
    s.indexes.emplace_back(st.index, sql);
  }
  s.setupSql = {kLayoutSql, kLayoutRows};
  return s;
}

constexpr const char* kInsertSql =
    "INSERT INTO jurnal(date, uts, band, radio, rss, rsr, qth, operator, diplom, bonus, remarks,"
    " qsl_res, qls_send, radio_u, qth_u, diplom_u)"
    " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)";
constexpr const char* kUpdateSql =
    "UPDATE jurnal SET date = ?1, uts = ?2, band = ?3, radio = ?4, rss = ?5, rsr = ?6, qth = ?7,"
    " operator = ?8, diplom = ?9, bonus = ?10, remarks = ?11, qsl_res = ?12, qls_send = ?13,"
    " radio_u = ?14, qth_u = ?15, diplom_u = ?16 WHERE id = ?17";

template <std::size_t N>
void loadText(char (&field)[N], std::string_view utf8) { setField(field, utf8ToCp1251(utf8)); }

}  // namespace

const char* const JurnalFile::kColumns =
    "id, date, uts, band, radio, rss, rsr, qth, operator, diplom, bonus, remarks, qsl_res, qls_send";

JurnalFile::JurnalFile(std::string folder) : SqliteKeyedFile(std::move(folder), jurnalSchema()) {}

JurnalFile::~JurnalFile() { close(); }

void JurnalFile::opened() {
  m_insert = SqliteStatement(m_db.handle(), kInsertSql);
  m_update = SqliteStatement(m_db.handle(), kUpdateSql);
  m_remove = SqliteStatement(m_db.handle(), "DELETE FROM jurnal WHERE id = ?1");
  m_fetch = SqliteStatement(m_db.handle(), std::string("SELECT ") + kColumns + " FROM jurnal WHERE id = ?1");
}

void JurnalFile::closing() {
  m_insert = SqliteStatement();
  m_update = SqliteStatement();
  m_remove = SqliteStatement();
  m_fetch = SqliteStatement();
}

void JurnalFile::rowFromColumns(const SqliteStatement& st, JurnalRow& row) {
  row.id = st.int64(0);
  JurnalRecord& r = row.rec;
  r.date = static_cast<std::int32_t>(st.int64(1));
  r.uts = static_cast<std::int32_t>(st.int64(2));
  r.band = st.real(3);
  loadText(r.radio, st.text(4));
  loadText(r.rss, st.text(5));
  loadText(r.rsr, st.text(6));
  loadText(r.qth, st.text(7));
  loadText(r.operatorName, st.text(8));
  loadText(r.diplom, st.text(9));
  r.bonus = static_cast<std::int16_t>(std::clamp<std::int64_t>(st.int64(10), -32768, 32767));
  loadText(r.remarks, st.text(11));
  loadText(r.qslRes, st.text(12));
  loadText(r.qlsSend, st.text(13));
}

void JurnalFile::bindRecord(SqliteStatement& st, const JurnalRecord& r) {
  // Texts are converted into buffers the file keeps, so that a batch of inserts allocates
  // nothing per contact; the statement reads them in place until it is reset.
  std::size_t next = 0;
  const auto text = [&](int index, std::string_view cp1251) {
    std::string& buffer = m_bindBuffers[next++];
    cp1251ToUtf8(cp1251, buffer);
    st.bindStatic(index, buffer);
  };
  const auto upper = [&](int index, std::string_view cp1251) {
    std::string& scratch = m_bindBuffers[next++];
    scratch.assign(cp1251);
    bool differs = false;
    for (char& c : scratch) {
      const char u = upperCp1251(c);
      differs = differs || u != c;
      c = u;
    }
    // The upper-case copy is NULL when it equals the field.
    if (!differs) {
      st.bindNull(index);
      return;
    }
    std::string& buffer = m_bindBuffers[next++];
    cp1251ToUtf8(scratch, buffer);
    st.bindStatic(index, buffer);
  };
  st.bind(1, std::int64_t{r.date});
  st.bind(2, std::int64_t{r.uts});
  st.bind(3, +r.band);
  text(4, fieldText(r.radio));
  text(5, fieldText(r.rss));
  text(6, fieldText(r.rsr));
  text(7, fieldText(r.qth));
  text(8, fieldText(r.operatorName));
  text(9, fieldText(r.diplom));
  st.bind(10, std::int64_t{r.bonus});
  text(11, fieldText(r.remarks));
  text(12, fieldText(r.qslRes));
  text(13, fieldText(r.qlsSend));
  upper(14, fieldText(r.radio));
  upper(15, fieldText(r.qth));
  upper(16, fieldText(r.diplom));
}

Status JurnalFile::notOpen() const {
  return Status::failure(ErrorCode::RecordWriteError, "file is not open");
}

Status JurnalFile::insert(const JurnalRecord& rec, std::int64_t* newId) {
  if (!isOpen() || !m_insert.valid()) return notOpen();
  m_insert.reset();
  bindRecord(m_insert, rec);
  const int rc = m_insert.step();
  if (rc != SQLITE_DONE) {
    Status s = failure(rc);
    m_insert.reset();
    return s;
  }
  m_insert.reset();
  noteWrite();
  if (newId) *newId = sqlite3_last_insert_rowid(m_db.handle());
  return Status::success();
}

Status JurnalFile::update(std::int64_t id, const JurnalRecord& rec) {
  if (!isOpen() || !m_update.valid()) return notOpen();
  m_update.reset();
  bindRecord(m_update, rec);
  m_update.bind(17, id);
  const int rc = m_update.step();
  if (rc != SQLITE_DONE) {
    Status s = failure(rc);
    m_update.reset();
    return s;
  }
  m_update.reset();
  // A contact deleted meanwhile by another window must not be reported as changed.
  if (m_db.changes() == 0) return Status::failure(ErrorCode::RecordWriteError, "record not found");
  noteWrite();
  return Status::success();
}

Status JurnalFile::remove(std::int64_t id) {
  if (!isOpen() || !m_remove.valid()) return notOpen();
  m_remove.reset();
  m_remove.bind(1, id);
  const int rc = m_remove.step();
  if (rc != SQLITE_DONE) {
    Status s = failure(rc);
    m_remove.reset();
    return s;
  }
  m_remove.reset();
  if (m_db.changes() == 0) return Status::failure(ErrorCode::RecordWriteError, "record not found");
  noteWrite();
  return Status::success();
}

std::optional<JurnalRecord> JurnalFile::fetch(std::int64_t id) {
  if (!isOpen() || !m_fetch.valid()) return std::nullopt;
  m_fetch.reset();
  m_fetch.bind(1, id);
  std::optional<JurnalRecord> out;
  const int rc = m_fetch.step();
  if (rc == SQLITE_ROW) {
    JurnalRow row;
    rowFromColumns(m_fetch, row);
    out = row.rec;
  } else if (rc != SQLITE_DONE) {
    noteReadError(rc);
  }
  m_fetch.reset();
  return out;
}

std::int64_t JurnalFile::count() {
  return isOpen() ? m_db.queryInt("SELECT count(*) FROM jurnal", 0) : 0;
}

void JurnalFile::noteReadError(int code) {
  m_db.captureError(code);
  m_readError = m_db.errorText();
}

std::unique_ptr<JurnalScan> JurnalFile::scan(const JurSelection& sel, bool forward) {
  return std::make_unique<JurnalScan>(*this, sel, std::nullopt, true, forward);
}

std::unique_ptr<JurnalScan> JurnalFile::scanFrom(const JurSelection& sel,
                                                 const std::optional<JurPosition>& from,
                                                 bool inclusive, bool forward) {
  return std::make_unique<JurnalScan>(*this, sel, from, inclusive, forward);
}

std::vector<JurnalRow> JurnalFile::read(const JurSelection& sel, const std::optional<JurPosition>& from,
                                        bool inclusive, bool forward, int limit) {
  std::vector<JurnalRow> rows;
  if (limit <= 0) return rows;
  rows.reserve(static_cast<std::size_t>(std::min(limit, 1000)));
  JurnalScan scan(*this, sel, from, inclusive, forward);
  JurnalRow row;
  while (static_cast<int>(rows.size()) < limit && scan.next(row)) rows.push_back(row);
  return rows;
}

std::optional<JurnalRow> JurnalFile::first(const JurSelection& sel) {
  auto rows = read(sel, std::nullopt, true, true, 1);
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

std::optional<JurnalRow> JurnalFile::last(const JurSelection& sel) {
  auto rows = read(sel, std::nullopt, true, false, 1);
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

}  // namespace jurnal
