// Rebuilding BONUS from JURNAL in diploma-key order.
#include "core/bonustotals.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <sqlite3.h>

#include "core/bonusfile.h"
#include "core/fixedtext.h"
#include "core/jurnalfile.h"
#include "core/sqlitedb.h"
#include "core/sqlitestatement.h"
#include "core/win1251.h"

namespace jurnal {
namespace {
constexpr std::int64_t kSummaMax = 99999;
}  // namespace

std::vector<BonusRecord> computeBonusTotals(JurnalFile& jurnal, bool* ok) {
  std::vector<BonusRecord> totals;
  if (ok) *ok = false;
  if (!jurnal.isOpen()) return totals;
  // One pass over the table in storage order, grouped by the diploma key's own expression:
  // reading the key order instead would visit the records in random order, many times slower
  // on a large log. The bare column `diplom` comes from the row of min(id), the first of the
  // group in key order (equal key values keep the order of adding). A connection of its own,
  // read-only, sees one consistent snapshot for the whole statement.
  SqliteDb db;
  if (db.open(jurnal.path(), true, false) != SQLITE_OK) return totals;
  sqlite3_busy_timeout(db.handle(), SqliteKeyedFile::kBusyTimeoutMs);
  db.exec("PRAGMA mmap_size=1073741824;");  // quick scan: one pass over the whole log
  const JurKeyStorage& key = jurKeyStorage(JurKey::Diplom);
  SqliteStatement st(db.handle(), std::string("SELECT diplom, sum(bonus), min(id) FROM jurnal WHERE ") + key.where +
                                      " GROUP BY " + key.expr + " ORDER BY " + key.expr);
  if (!st.valid()) return totals;
  int rc = SQLITE_ROW;
  while ((rc = st.step()) == SQLITE_ROW) {
    BonusRecord rec;
    rec.clear();
    setField(rec.diplomName, trimRight(utf8ToCp1251(st.text(0))));
    rec.summa.set(static_cast<std::int32_t>(std::clamp<std::int64_t>(st.int64(1), -kSummaMax, kSummaMax)));
    totals.push_back(rec);
  }
  if (rc != SQLITE_DONE) {
    totals.clear();
    return totals;
  }
  if (ok) *ok = true;
  return totals;
}

Status rebuildBonusTotals(JurnalFile& jurnal, BonusFile& bonus) {
  bool ok = false;
  const std::vector<BonusRecord> totals = computeBonusTotals(jurnal, &ok);
  if (!ok) {
    return Status::failure(ErrorCode::FileAccessError, "the contact log could not be read");
  }
  return bonus.replaceAll(totals);
}

}  // namespace jurnal
