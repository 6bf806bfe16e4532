// Clearing and comparing record buffers; the packed decimal of BON:SUMMA.
#include "core/records.h"

#include <cstring>

namespace jurnal {

void JurnalRecord::clear() {
  date = 0;
  uts = 0;
  band = 0.0;
  setField(radio, "");
  setField(rss, "");
  setField(rsr, "");
  setField(qth, "");
  setField(operatorName, "");
  setField(diplom, "");
  bonus = 0;
  setField(remarks, "");
  setField(qslRes, "");
  setField(qlsSend, "");
}

bool JurnalRecord::operator==(const JurnalRecord& o) const {
  // Field by field: the real compares by value, the texts byte for byte.
  return date == o.date && uts == o.uts && band == o.band && bonus == o.bonus &&
         std::memcmp(radio, o.radio, sizeof radio) == 0 && std::memcmp(rss, o.rss, sizeof rss) == 0 &&
         std::memcmp(rsr, o.rsr, sizeof rsr) == 0 && std::memcmp(qth, o.qth, sizeof qth) == 0 &&
         std::memcmp(operatorName, o.operatorName, sizeof operatorName) == 0 &&
         std::memcmp(diplom, o.diplom, sizeof diplom) == 0 &&
         std::memcmp(remarks, o.remarks, sizeof remarks) == 0 && qslRes[0] == o.qslRes[0] &&
         qlsSend[0] == o.qlsSend[0];
}

void PackedDecimal3::set(std::int32_t value) {
  if (value > 99999) value = 99999;
  if (value < -99999) value = -99999;
  const bool negative = value < 0;
  std::uint32_t magnitude = negative ? static_cast<std::uint32_t>(-value) : static_cast<std::uint32_t>(value);
  unsigned digits[5];
  for (int i = 4; i >= 0; --i) {
    digits[i] = magnitude % 10;
    magnitude /= 10;
  }
  bytes[0] = static_cast<unsigned char>(((negative ? 0xD : 0x0) << 4) | digits[0]);
  bytes[1] = static_cast<unsigned char>((digits[1] << 4) | digits[2]);
  bytes[2] = static_cast<unsigned char>((digits[3] << 4) | digits[4]);
}

std::int32_t PackedDecimal3::get() const {
  const unsigned nibbles[5] = {static_cast<unsigned>(bytes[0] & 0xF), static_cast<unsigned>(bytes[1] >> 4),
                               static_cast<unsigned>(bytes[1] & 0xF), static_cast<unsigned>(bytes[2] >> 4),
                               static_cast<unsigned>(bytes[2] & 0xF)};
  std::int32_t value = 0;
  for (unsigned d : nibbles) value = value * 10 + static_cast<std::int32_t>(d > 9 ? 9 : d);
  return (bytes[0] >> 4) != 0 ? -value : value;
}

void BonusRecord::clear() {
  setField(diplomName, "");
  summa.set(0);
}

void VivRecord::clear() { setField(str1, ""); }

void TxtRecord::clear() { std::memset(this, ' ', sizeof *this); }

}  // namespace jurnal
