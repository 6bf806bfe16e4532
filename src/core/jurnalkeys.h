// The six key orders of the contact log and the values, positions and selections that walk
// them: what the browse, the reports and the export pass to JurnalFile.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "core/records.h"

namespace jurnal {

// The six keys in the order they are registered (and shown on the browse's tabs).
enum class JurKey { Index, Band, Radio, Qth, Diplom, Bonus };
inline constexpr int kJurKeyCount = 6;

// "По дате", "По BAND", ... (UTF-8).
const char* jurKeyDescription(JurKey key);

struct JurnalRow {
  std::int64_t id = 0;
  JurnalRecord rec{};
};

// A key value: date and points as integers, the frequency as a double, texts as Windows-1251.
using KeyValue = std::variant<std::int64_t, double, std::string>;

// A place in one key order: the key value and the record id that breaks ties.
struct JurPosition {
  KeyValue key;
  std::int64_t id = 0;
};

// Which contacts of one key order to read.
struct JurSelection {
  JurKey key = JurKey::Index;
  // Inclusive bounds as the key compares (text: upper case, trailing blanks ignored).
  std::optional<KeyValue> low, high;
  // Windows-1251 narrowing. Text keys: the upper-cased field begins with the upper-cased prefix.
  // Band: the plain decimal text of the frequency begins with it ("7" lets 7.05, 7.1 and 70.2
  // through, "14" lets 144.3). Ignored for the date and points keys.
  std::string prefix;
};

KeyValue keyValueOf(JurKey key, const JurnalRecord& rec);
JurPosition positionOf(JurKey key, const JurnalRow& row);
// False when an optional key leaves the record out (blank text, zero frequency or points).
bool inKey(JurKey key, const JurnalRecord& rec);

// How a key is kept in JURNAL.db: its index, the indexed expression and the partial-index
// condition that leaves records out of an optional key ("" for none).
struct JurKeyStorage {
  const char* index;
  const char* expr;
  const char* where;
  bool text;
};
const JurKeyStorage& jurKeyStorage(JurKey key);

}  // namespace jurnal
