// Record layouts, clearing and the packed decimal of the diploma totals.
#include <gtest/gtest.h>

#include "core/records.h"

using namespace jurnal;

TEST(Records, ClearSetsBlanksAndZeros) {
  JurnalRecord r;
  std::memset(&r, 'x', sizeof r);
  r.clear();
  // Fields of the packed layout are read by value (+): a reference to JUR:BONUS at offset 93
  // would be misaligned.
  EXPECT_EQ(+r.date, 0);
  EXPECT_EQ(+r.uts, 0);
  EXPECT_EQ(+r.band, 0.0);
  EXPECT_EQ(+r.bonus, 0);
  EXPECT_EQ(fieldView(r.radio), std::string(12, ' '));
  EXPECT_EQ(fieldView(r.remarks), std::string(30, ' '));
  EXPECT_EQ(r.qslRes[0], ' ');
  EXPECT_EQ(r.qlsSend[0], ' ');
}

TEST(Records, PackedDecimalRoundTripsFiveDigits) {
  const struct { std::int32_t in, out; } cases[] = {
      {0, 0}, {1, 1}, {-3, -3}, {12345, 12345}, {99999, 99999}, {-99999, -99999},
      {100000, 99999}, {-123456, -99999},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    PackedDecimal3 p;
    p.set(c.in);
    EXPECT_EQ(p.get(), c.out);
  }
  PackedDecimal3 p;
  p.set(-12345);
  EXPECT_EQ(p.bytes[0], 0xD1);
  EXPECT_EQ(p.bytes[1], 0x23);
  EXPECT_EQ(p.bytes[2], 0x45);
}
