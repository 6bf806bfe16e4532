// Rebuilding BONUS from JURNAL in diploma-key order.
#include "core/bonustotals.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/bonusfile.h"
#include "core/fixedtext.h"
#include "core/jurnalfile.h"
#include "core/win1251.h"

namespace jurnal {
namespace {
constexpr std::int64_t kSummaMax = 99999;
}  // namespace

std::vector<BonusRecord> computeBonusTotals(JurnalFile& jurnal, bool* ok) {
  std::vector<BonusRecord> totals;
  if (ok) *ok = jurnal.isOpen();
  if (!jurnal.isOpen()) return totals;
  JurSelection sel;
  sel.key = JurKey::Diplom;
  const std::string errorBefore = jurnal.lastReadError();
  auto scan = jurnal.scan(sel);
  JurnalRow row;
  std::string groupKey;  // upper case, as the key compares
  std::string groupName;
  std::int64_t sum = 0;
  bool inGroup = false;
  auto close = [&] {
    BonusRecord rec;
    rec.clear();
    setField(rec.diplomName, groupName);
    rec.summa.set(static_cast<std::int32_t>(std::clamp(sum, -kSummaMax, kSummaMax)));
    totals.push_back(rec);
  };
  while (scan->next(row)) {
    const std::string_view name = fieldText(row.rec.diplom);
    std::string key = upperCp1251(name);
    if (!inGroup || key != groupKey) {
      if (inGroup) close();
      groupKey = std::move(key);
      groupName = std::string(name);
      sum = 0;
      inGroup = true;
    }
    sum += row.rec.bonus;
  }
  if (inGroup) close();
  if (jurnal.lastReadError() != errorBefore && ok) {
    // A read that failed part way must not pass for the whole log.
    *ok = false;
    totals.clear();
  }
  return totals;
}

Status rebuildBonusTotals(JurnalFile& jurnal, BonusFile& bonus) {
  bool ok = false;
  const std::vector<BonusRecord> totals = computeBonusTotals(jurnal, &ok);
  if (!ok) {
    const std::string why = jurnal.lastReadError().empty() ? "Jurnal is not open" : jurnal.lastReadError();
    return Status::failure(ErrorCode::FileAccessError, why);
  }
  return bonus.replaceAll(totals);
}

}  // namespace jurnal
