// The synthetic contact generator: the same seed gives the same log, and the log has the
// variety the browse, the reports and the benchmarks rely on.
#include <gtest/gtest.h>

#include <set>

#include "core/generator.h"
#include "core/jurnalfile.h"
#include "storagetestsupport.h"

using namespace jurnal;
using namespace jurnal::testing;

namespace {

constexpr std::int32_t kLastDay = 80000;

TEST(Generator, SameSeedSameContactsOtherSeedOthers) {
  Generator a(7, 1000, kLastDay), b(7, 1000, kLastDay), c(8, 1000, kLastDay);
  int differing = 0;
  for (int i = 0; i < 1000; ++i) {
    const JurnalRecord ra = a.next(), rb = b.next(), rc = c.next();
    ASSERT_TRUE(ra == rb) << i;
    differing += !(ra == rc);
  }
  EXPECT_GT(differing, 900);
}

TEST(Generator, ContactsLookLikeARealLog) {
  Generator g(1, 20000, kLastDay);
  std::int32_t previousDate = 0;
  int portable = 0, lowerCase = 0, blankCall = 0, negative = 0, zeroPoints = 0, cyrillicQth = 0,
      zeroBand = 0, remarks = 0, vhf = 0;
  std::set<std::string> diplomas;
  for (int i = 0; i < 20000; ++i) {
    const JurnalRecord r = g.next();
    ASSERT_GE(r.date, previousDate);  // in the order a log grows
    ASSERT_GE(r.date, kLastDay - 30 * 366);
    ASSERT_LE(r.date, kLastDay);
    previousDate = r.date;
    ASSERT_TRUE(r.band == 0 || (r.band >= 1.8 && r.band <= 1300)) << r.band;
    ASSERT_GE(r.uts, 0);
    ASSERT_LE(r.uts, 8640000);
    const std::string_view call = fieldText(r.radio);
    portable += call.size() >= 11;
    lowerCase += !call.empty() && call.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string_view::npos;
    blankCall += call.empty();
    negative += r.bonus < 0;
    zeroPoints += r.bonus == 0 && !fieldText(r.diplom).empty();
    cyrillicQth += !fieldText(r.qth).empty() && static_cast<unsigned char>(fieldText(r.qth)[0]) >= 0xC0;
    zeroBand += r.band == 0;
    remarks += !fieldText(r.remarks).empty();
    vhf += r.band >= 144;
    if (!fieldText(r.diplom).empty()) diplomas.insert(std::string(fieldText(r.diplom)));
    ASSERT_TRUE(r.bonus == 0 || !fieldText(r.diplom).empty());
  }
  for (int n : {portable, lowerCase, blankCall, negative, zeroPoints, cyrillicQth, zeroBand, remarks, vhf})
    EXPECT_GT(n, 20);
  EXPECT_TRUE(diplomas.count(utf8ToCp1251("Р-100-О")));
  EXPECT_TRUE(diplomas.count(utf8ToCp1251("р-100-о")));  // a name in another letter case
  EXPECT_TRUE(diplomas.count("W-100-U"));
}

TEST(Generator, FillsTheLogInBatches) {
  TempFolder folder;
  JurnalFile file(folder.path());
  ASSERT_TRUE(file.create());
  ASSERT_EQ(file.open(OpenMode::ReadWrite), OpenOutcome::Ok);
  std::vector<std::int64_t> progress;
  ASSERT_TRUE(Generator::generate(file, 2500, 3, kLastDay, [&](std::int64_t n) { progress.push_back(n); }, 1000));
  EXPECT_EQ(progress, (std::vector<std::int64_t>{1000, 2000, 2500}));
  EXPECT_EQ(file.count(), 2500);
  Generator again(3, 2500, kLastDay);
  EXPECT_TRUE(*file.fetch(1) == again.next());
}

}  // namespace
