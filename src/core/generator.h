// Synthetic contacts for trying and measuring the log: realistic callsigns (some portable and
// maritime, a few in lower case), Cyrillic locations and operator names, diplomas with points
// (some zero or negative, names in varying letter case), remarks, QSL marks, dates over the
// thirty years up to a given day in the order a log grows, frequencies from 1.8 to 1296 MHz,
// and now and then blank or zero fields. The same seed gives the same contacts.
#pragma once

#include <cstdint>
#include <functional>

#include "core/errors.h"
#include "core/records.h"

namespace jurnal {

class JurnalFile;

class Generator {
 public:
  // `count` contacts dated from 30 years before `lastDay` up to `lastDay` (day numbers).
  Generator(std::uint64_t seed, std::int64_t count, std::int32_t lastDay);

  // The next contact, in date order.
  JurnalRecord next();

  // Adds `count` contacts to `file` in transactions of `batch`; `progress` hears the running
  // total after each. Stops at the first failure, keeping the batches committed before it.
  static Status generate(JurnalFile& file, std::int64_t count, std::uint64_t seed, std::int32_t lastDay,
                         const std::function<void(std::int64_t)>& progress = {}, int batch = 50000);

 private:
  std::uint64_t random();
  int below(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  std::uint64_t m_state;
  std::int64_t m_count;
  std::int64_t m_index = 0;
  std::int32_t m_firstDay;
  std::int32_t m_days;
};

}  // namespace jurnal
