// Plain decimal text of frequencies: writing with 15 significant digits, reading like strtod.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/plaindecimal.h"

using namespace jurnal;

TEST(PlainDecimal, FormatsWithoutTrailingZerosOrExponent) {
  const struct { double value; const char* text; } cases[] = {
      {14.074, "14.074"}, {7, "7"}, {0, "0"}, {-0.0, "0"}, {144.3, "144.3"},
      {1296.125, "1296.125"}, {0.136, "0.136"}, {10, "10"}, {100000, "100000"},
      {-3.5, "-3.5"}, {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary error
      {1.0 / 3, "0.333333333333333"}, {10489.55, "10489.55"}, {0.00001, "0.00001"},
      {123456789.123456789, "123456789.123457"}, {1e20, "100000000000000000000"},
      {1e25, "1e+25"}, {1.5e-25, "1.5e-25"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
      {std::numeric_limits<double>::infinity(), "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(formatPlainDecimal(c.value), c.text);
  }
}

// Every frequency given to the hertz from 1 kHz to 300 GHz survives writing and reading
// exactly, so a CQ frequency kept between runs compares equal to the one set.
TEST(PlainDecimal, FrequenciesRoundTripExactly) {
  for (double mhz = 0.001; mhz < 300000; mhz = mhz * 1.37 + 0.000001) {
    const double hz = std::round(mhz * 1e6) / 1e6;
    ASSERT_EQ(parsePlainDecimal(formatPlainDecimal(hz)), hz) << formatPlainDecimal(hz);
  }
  for (int khz = 1800; khz <= 2000; ++khz) {  // every kHz of a whole band
    const double mhz = khz / 1000.0;
    ASSERT_EQ(parsePlainDecimal(formatPlainDecimal(mhz)), mhz) << khz;
  }
}

TEST(PlainDecimal, ParsesLikeStrtodInTheCLocale) {
  const struct { const char* text; double value; } cases[] = {
      {"14.074", 14.074}, {"7", 7}, {"", 0}, {"abc", 0}, {" \t14.074", 14.074},
      {"14.074 MHz", 14.074}, {"+7", 7}, {"-3", -3}, {".5", 0.5}, {"5.", 5},
      {"1e3", 1000}, {"1.5E-2", 0.015}, {"14,074", 14}, {"+-5", 0}, {"-", 0},
      {"nan", 0}, {"inf", 0}, {"-infinity", 0}, {"1e999", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parsePlainDecimal(c.text), c.value);
  }
}
