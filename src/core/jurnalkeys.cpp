// Key values, positions and membership of the contact log's six orders.
#include "core/jurnalkeys.h"

#include "core/fixedtext.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

constexpr JurKeyStorage kStorage[kJurKeyCount] = {
    {"jur_index", "date", "", false},
    {"jur_band_key", "band", "band <> 0", false},
    {"jur_radio_key", "coalesce(radio_u, radio)", "radio <> ''", true},
    {"jur_qth_key", "coalesce(qth_u, qth)", "qth <> ''", true},
    {"jur_diplom_key", "coalesce(diplom_u, diplom)", "diplom <> ''", true},
    {"jur_bonus_key", "bonus", "bonus <> 0", false},
};

constexpr const char* kDescriptions[kJurKeyCount] = {
    "По дате", "По BAND", "По RADIO", "По QTH", "По диплому", "По очкам",
};

}  // namespace

const char* jurKeyDescription(JurKey key) { return kDescriptions[static_cast<int>(key)]; }
const JurKeyStorage& jurKeyStorage(JurKey key) { return kStorage[static_cast<int>(key)]; }

KeyValue keyValueOf(JurKey key, const JurnalRecord& rec) {
  switch (key) {
    case JurKey::Index: return std::int64_t{rec.date};
    case JurKey::Band: return rec.band;
    case JurKey::Radio: return upperCp1251(fieldText(rec.radio));
    case JurKey::Qth: return upperCp1251(fieldText(rec.qth));
    case JurKey::Diplom: return upperCp1251(fieldText(rec.diplom));
    case JurKey::Bonus: return std::int64_t{rec.bonus};
  }
  return std::int64_t{0};
}

JurPosition positionOf(JurKey key, const JurnalRow& row) { return {keyValueOf(key, row.rec), row.id}; }

bool inKey(JurKey key, const JurnalRecord& rec) {
  switch (key) {
    case JurKey::Index: return true;
    case JurKey::Band: return rec.band != 0.0;
    case JurKey::Radio: return !isBlank(fieldView(rec.radio));
    case JurKey::Qth: return !isBlank(fieldView(rec.qth));
    case JurKey::Diplom: return !isBlank(fieldView(rec.diplom));
    case JurKey::Bonus: return rec.bonus != 0;
  }
  return false;
}

}  // namespace jurnal
