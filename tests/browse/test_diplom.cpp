// The rebuild of the diploma totals and the diploma points list: grouping by name regardless
// of letter case, the last group written, negative sums, repeat runs, a rebuild while another
// window reads BONUS, and the list's order, sum format and step search.
#include <gtest/gtest.h>

#include <QTableView>
#include <utility>

#include "browse/browsejurnal.h"
#include "browse/diplom.h"
#include "browsetestsupport.h"
#include "core/bonusfile.h"
#include "core/bonustotals.h"
#include "core/jurnalfile.h"
#include "platform/errormanager.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

using Totals = std::vector<std::pair<std::string, int>>;

class DiplomTest : public BrowseFixture {
 protected:
  void SetUp() override {
    BrowseFixture::SetUp();
    ASSERT_TRUE(FileManager::bonus().open(m_writer->files()));
  }
  void TearDown() override {
    FileManager::bonus().close(m_writer->files());
    BrowseFixture::TearDown();
  }
  BonusFile& bonus() { return *m_writer->files().bonusFile(); }
  JurnalFile& jurnal() { return *m_writer->files().jurnalFile(); }
  Totals stored() {
    Totals out;
    for (const BonusRow& r : bonus().readAll()) out.emplace_back(utf8(fieldView(r.rec.diplomName)), r.rec.summa.get());
    return out;
  }
  void putTotal(const char* name, int sum) {
    BonusRecord& rec = m_writer->files().bonus;
    rec.clear();
    setField(rec.diplomName, utf8ToCp1251(name));
    rec.summa.set(sum);
    ASSERT_TRUE(FileManager::bonus().insert(m_writer->files()).ok());
  }
};

TEST_F(DiplomTest, RebuildSumsEachDiplomaOnceRegardlessOfLetterCase) {
  const struct {
    const char* what;
    std::vector<std::pair<const char*, int>> contacts;  // diploma, points, in the order added
    Totals expected;
  } cases[] = {
      {"two diplomas and contacts without one",
       {{"P-100-O", 5}, {"", 4}, {"W-100-U", 1}, {"P-100-O", 3}, {"", 9}},
       {{"P-100-O", 8}, {"W-100-U", 1}}},
      {"the last group is written", {{"R-6-K", 3}, {"R-15-R", 2}, {"R-6-K", 4}}, {{"R-15-R", 2}, {"R-6-K", 7}}},
      {"case variants make one total under the name met first",
       {{"r-6-k", 3}, {"R-6-K", 4}, {"R-6-k", 1}, {"Р-дон", 2}, {"р-ДОН", 5}},
       {{"r-6-k", 8}, {"Р-дон", 7}}},
      {"negative and zero sums are kept", {{"NEG", -5}, {"NEG", 2}, {"ZERO", 0}}, {{"NEG", -3}, {"ZERO", 0}}},
      {"sums beyond five digits stop at the end of the range",
       {{"BIG", 32000}, {"BIG", 32000}, {"BIG", 32000}, {"BIG", 32000}},
       {{"BIG", 99999}}},
      {"no diploma at all", {{"", 5}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(jurnal().begin().ok());
    for (auto id : jurnal().read({}, std::nullopt, true, true, 1000)) ASSERT_TRUE(jurnal().remove(id.id).ok());
    ASSERT_TRUE(jurnal().commit().ok());
    for (const auto& [name, points] : c.contacts)
      add({.date = 5, .radio = "X", .diplom = name, .bonus = static_cast<std::int16_t>(points)});
    putTotal("STALE", 1);
    ASSERT_TRUE(rebuildBonusTotals(jurnal(), bonus()).ok());
    EXPECT_EQ(stored(), c.expected);
    // A second run gives the same file.
    ASSERT_TRUE(rebuildBonusTotals(jurnal(), bonus()).ok());
    EXPECT_EQ(stored(), c.expected);
  }
}

TEST_F(DiplomTest, F5RebuildsWhileAnotherDiplomaListHoldsBonusOpen) {
  add({.date = 1, .radio = "A", .diplom = "R-6-K", .bonus = 3});
  putTotal("OLD", 5);
  // A diploma list of another thread holds BONUS open and has read it.
  auto* other = start<Diplom>(QStringLiteral("Diplom"));
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(column(other->browse(), 0), (std::vector<QString>{"OLD"}));

  auto* journal = start<BrowseJurnal>(QStringLiteral("BrowseJurnal"));
  journal->showDiplomas();
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
  EXPECT_EQ(stored(), (Totals{{"R-6-K", 3}}));
  // The journal waits for its own diploma list, which shows the new totals.
  EXPECT_FALSE(journal->frameWindow()->isEnabled());
  QTableView* mine = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->windowTitle() == QStringLiteral("Диплом") && top != other->window())
      mine = top->findChild<QTableView*>(QStringLiteral("BROWSE:1"));
  ASSERT_NE(mine, nullptr);
  ASSERT_EQ(mine->model()->rowCount(), 1);
  EXPECT_EQ(mine->model()->index(0, 0).data().toString(), QStringLiteral("R-6-K"));
  // The other list follows the file once it sees the change.
  ASSERT_TRUE(waitFor([&] { return column(other->browse(), 0) == std::vector<QString>{"R-6-K"}; }));
}

TEST_F(DiplomTest, ListsNamesIgnoringCaseWithThousandsCommas) {
  putTotal("ZULU", 12345);
  putTotal("alpha", -3);
  putTotal("Mike", 0);
  putTotal("BRAVO", -1234);
  auto* d = start<Diplom>(QStringLiteral("Diplom"));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(column(d->browse(), 0), (std::vector<QString>{"alpha", "BRAVO", "Mike", "ZULU"}));
  EXPECT_EQ(column(d->browse(), 1), (std::vector<QString>{"-3", "-1,234", "0", "12,345"}));
}

TEST_F(DiplomTest, StepSearchWalksTheNamesBeginningWithTheLetter) {
  for (const char* name : {"ALPHA", "argon", "BETA", "DELTA", "ДОН"}) putTotal(name, 1);
  auto* d = start<Diplom>(QStringLiteral("Diplom"));
  QTableView* list = listOf(d);
  const struct {
    const char* typed;
    const char* highlighted;
  } steps[] = {
      {"a", "argon"},  // the next row begins with A
      {"a", "ALPHA"},  // the next does not: back to the first name not less than A
      {"c", "DELTA"},  // no name begins with C: the first after it
      {"д", "ДОН"},
      {"z", "ДОН"},    // beyond every name: the end of the list
  };
  for (const auto& s : steps) {
    typeText(list, QString::fromUtf8(s.typed));
    SCOPED_TRACE(s.typed);
    ASSERT_NE(d->browse()->current(), nullptr);
    EXPECT_EQ(d->browse()->current()->values[0], QString::fromUtf8(s.highlighted));
  }
}

TEST_F(DiplomTest, EmptyLogGivesAnEmptyList) {
  auto* journal = start<BrowseJurnal>(QStringLiteral("BrowseJurnal"));
  putTotal("STALE", 4);
  journal->showDiplomas();
  EXPECT_EQ(stored(), Totals{});
  bool listed = false;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->windowTitle() == QStringLiteral("Диплом")) {
      listed = true;
      EXPECT_EQ(top->findChild<QTableView*>(QStringLiteral("BROWSE:1"))->model()->rowCount(), 0);
    }
  EXPECT_TRUE(listed);
}

}  // namespace
