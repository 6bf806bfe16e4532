// Progress estimators: numeric percentage with its one-record case, text stepping over letters
// and digits after the common beginning.
#include <gtest/gtest.h>

#include "platform/progressestimator.h"

namespace jurnal {
namespace {

TEST(ProgressEstimator, NumericIsTruncatedShareOfTheRange) {
  ProgressEstimator e(ProgressEstimator::Kind::Numeric);
  e.setLimits(100.0, 200.0);
  const struct {
    double value;
    int percent;
  } cases[] = {{100, 1}, {100.9, 1}, {101, 1}, {102.99, 2}, {150, 50}, {199.99, 99}, {200, 100}, {50, 1}, {300, 200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(e.percentage(c.value), c.percent);
  }
}

TEST(ProgressEstimator, NumericWithEqualLimitsGivesFifty) {
  ProgressEstimator e;
  e.setLimits(14.074, 14.074);
  EXPECT_EQ(e.percentage(14.074), 50);
}

TEST(ProgressEstimator, TextStepsAfterTheCommonBeginning) {
  ProgressEstimator e(ProgressEstimator::Kind::Text);
  e.setLimits("UA3A", "UA3Z");
  EXPECT_EQ(e.percentage("UA3A"), 1);
  EXPECT_EQ(e.percentage("UA3Z"), 100);
  const int m = e.percentage("UA3M");
  EXPECT_GT(m, 40);
  EXPECT_LT(m, 55);
  // Letter case and characters other than letters and digits do not count.
  EXPECT_EQ(e.percentage("ua3m"), m);
  EXPECT_EQ(e.percentage("UA3/M"), m);
  // Outside the common beginning: below gives the minimum, above the maximum.
  EXPECT_EQ(e.percentage("RA1"), 1);
  EXPECT_EQ(e.percentage("UB1"), 100);
}

TEST(ProgressEstimator, TextFollowsKeyOrderThroughDigitsLatinAndCyrillic) {
  ProgressEstimator e(ProgressEstimator::Kind::Text);
  e.setLimits("0", "\xDF");  // "0" .. "Я"
  const char* ordered[] = {"1", "9", "A", "Z", "\xC0", "\xCC", "\xDF"};  // digits, Latin, А, М, Я
  int previous = 0;
  for (const char* text : ordered) {
    SCOPED_TRACE(text);
    const int p = e.percentage(text);
    EXPECT_GE(p, previous);
    previous = p;
  }
  EXPECT_EQ(e.percentage("\xFF"), 100);  // lower-case я counts as Я
}

TEST(ProgressEstimator, TextWithEqualLimits) {
  ProgressEstimator e(ProgressEstimator::Kind::Text);
  e.setLimits("RZ3AA", "RZ3AA");
  EXPECT_EQ(e.percentage("RZ3AA"), 100);
  EXPECT_EQ(e.percentage("RZ3A"), 1);
}

}  // namespace
}  // namespace jurnal
