// Record buffers of the four files, byte for byte as the log's layouts fix them.
// JURNAL 127 bytes, BONUS 23, VIV 256, TXT 189. Offsets are given per field; every text field
// is Windows-1251 padded with blanks; dates are day numbers, times hundredths of a second + 1.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/fixedtext.h"

namespace jurnal {

#pragma pack(push, 1)

// One radio contact (file JURNAL, prefix JUR).
struct JurnalRecord {
  std::int32_t date;      // 0   JUR:DATE      day number, 0 = no date
  std::int32_t uts;       // 4   JUR:UTS       time number, 0 = no time
  double band;            // 8   JUR:BAND      frequency, MHz
  char radio[12];         // 16  JUR:RADIO     callsign
  char rss[5];            // 28  JUR:RSS       report sent        (stored name RSS=N(2.0))
  char rsr[5];            // 33  JUR:RSR       report received    (stored name RSR=N(2.0))
  char qth[15];           // 38  JUR:QTH       location
  char operatorName[20];  // 53  JUR:OPERATOR  operator's name
  char diplom[20];        // 73  JUR:DIPLOM    diploma (award)
  std::int16_t bonus;     // 93  JUR:BONUS     points             (stored name BONUS=N(4.0))
  char remarks[30];       // 95  JUR:REMARKS
  char qslRes[1];         // 125 JUR:QSL_RES   QSL card received: "#" or blank
  char qlsSend[1];        // 126 JUR:QLS_SEND  QSL card sent: "#" or blank

  // Texts to blanks, numbers, dates and times to zero.
  void clear();
  bool operator==(const JurnalRecord& other) const;
};

// Packed decimal of 3 bytes: five BCD digits and a sign nibble, -99999..99999.
// Byte 0 high nibble is the sign (0 = positive, 0xD = negative), then five digits, most
// significant first.
struct PackedDecimal3 {
  unsigned char bytes[3];

  // Values outside -99999..99999 are clamped to the nearest end.
  void set(std::int32_t value);
  std::int32_t get() const;
};

// The points total of one diploma (file BONUS, prefix BON).
struct BonusRecord {
  char diplomName[20];    // 0   BON:DIPLOM_NAME
  PackedDecimal3 summa;   // 20  BON:SUMMA

  void clear();
};

// One output line of the text export (file VIV).
struct VivRecord {
  char str1[256];         // 0   VIV:STR_1

  void clear();
};

// One input line of the text import split at the commas (file TXT); all fields are text.
struct TxtRecord {
  char date[20];          // 0   TXT:DATE
  char uts[20];           // 20  TXT:UTS
  char band[20];          // 40  TXT:BAND
  char radio[12];         // 60  TXT:RADIO
  char rss[5];            // 72  TXT:RSS
  char rsr[5];            // 77  TXT:RSR
  char qth[15];           // 82  TXT:QTH
  char operatorName[20];  // 97  TXT:OPERATOR
  char diplom[20];        // 117 TXT:DIPLOM
  char bonus[20];         // 137 TXT:BONUS
  char remarks[30];       // 157 TXT:REMARKS
  char qslRes[1];         // 187 TXT:QSL_RES
  char qlsSend[1];        // 188 TXT:QLS_SEND

  void clear();
};

#pragma pack(pop)

static_assert(sizeof(JurnalRecord) == 127);
static_assert(offsetof(JurnalRecord, band) == 8);
static_assert(offsetof(JurnalRecord, radio) == 16);
static_assert(offsetof(JurnalRecord, rss) == 28);
static_assert(offsetof(JurnalRecord, rsr) == 33);
static_assert(offsetof(JurnalRecord, qth) == 38);
static_assert(offsetof(JurnalRecord, operatorName) == 53);
static_assert(offsetof(JurnalRecord, diplom) == 73);
static_assert(offsetof(JurnalRecord, bonus) == 93);
static_assert(offsetof(JurnalRecord, remarks) == 95);
static_assert(offsetof(JurnalRecord, qslRes) == 125);
static_assert(offsetof(JurnalRecord, qlsSend) == 126);
static_assert(sizeof(BonusRecord) == 23);
static_assert(offsetof(BonusRecord, summa) == 20);
static_assert(sizeof(VivRecord) == 256);
static_assert(sizeof(TxtRecord) == 189);
static_assert(offsetof(TxtRecord, radio) == 60);
static_assert(offsetof(TxtRecord, qth) == 82);
static_assert(offsetof(TxtRecord, bonus) == 137);
static_assert(offsetof(TxtRecord, remarks) == 157);
static_assert(offsetof(TxtRecord, qslRes) == 187);
static_assert(offsetof(TxtRecord, qlsSend) == 188);

}  // namespace jurnal
