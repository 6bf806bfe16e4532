// A walk over one key order of the contact log, row by row.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/jurnalkeys.h"
#include "core/sqlitestatement.h"

namespace jurnal {

class JurnalFile;

// Reads one key order step by step with a residual check that keeps prefix narrowing exact.
class JurnalScan {
 public:
  JurnalScan(JurnalFile& file, const JurSelection& sel, const std::optional<JurPosition>& from,
             bool inclusive, bool forward);
  ~JurnalScan();
  // The next row in order; false at the end or on failure (see JurnalFile::lastReadError()).
  bool next(JurnalRow& row);

  // A range of one key in stored form: low inclusive, high exclusive, either open.
  struct Segment {
    std::optional<KeyValue> low, high;
  };

 private:
  static std::vector<Segment> bandSegments(const std::string& prefix);
  void dropSegmentsOutside();
  bool openSegment();
  bool passes(const JurnalRecord& rec) const;

  JurnalFile& m_file;
  JurSelection m_sel;
  std::optional<JurPosition> m_from;
  bool m_inclusive;
  bool m_forward;
  std::vector<Segment> m_segments;
  std::size_t m_segment = 0;
  bool m_residual = false;
  SqliteStatement m_stmt;
  bool m_active = false;
};

}  // namespace jurnal
