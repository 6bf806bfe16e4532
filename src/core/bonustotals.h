// The rebuild of the diploma totals: BONUS gets one record per diploma named in JURNAL with
// the sum of the points of its contacts. Names are grouped as the diploma key orders them,
// ignoring letter case, so case variants of one name make one total; the record keeps the
// form of the name met first in key order.
#pragma once

#include <vector>

#include "core/errors.h"
#include "core/records.h"

namespace jurnal {

class JurnalFile;
class BonusFile;

// The totals of `jurnal`, in the key order of the diploma names. Contacts without a diploma
// take no part. A sum beyond the five digits BON:SUMMA holds is kept at its nearest end
// (-99999 or 99999). Empty when the log could not be read (`ok` false then).
// Reads the committed contents of the file through a read-only connection of its own.
std::vector<BonusRecord> computeBonusTotals(JurnalFile& jurnal, bool* ok = nullptr);

// Computes the totals and replaces the contents of `bonus` with them in one transaction:
// other readers of BONUS see the old totals or the new ones, never a half-written file.
// On any failure BONUS is left as it was.
Status rebuildBonusTotals(JurnalFile& jurnal, BonusFile& bonus);

}  // namespace jurnal
