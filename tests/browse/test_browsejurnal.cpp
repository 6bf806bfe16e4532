// The journal window offscreen: row fill, the order of each tab, selection keys and
// incremental search typed into the list, the update actions through a stand-in contact form,
// the refresh watch and two windows at once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>

#include "browse/browsejurnal.h"
#include "browsetestsupport.h"
#include "core/daytime.h"
#include "core/jurnalfile.h"
#include "platform/procedure.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

// Stands in for the contact form: records what it was handed, then does `action` on the
// thread's JURNAL buffer and ends with `response`.
struct FormScript {
  int response = Response::Completed;
  std::function<void(ThreadFiles&)> action;
  // What the form saw when it started.
  int request = -1;
  JurnalRecord handed{};
  int calls = 0;
};
FormScript* g_form = nullptr;

class StandInForm final : public Procedure {
 public:
  explicit StandInForm(ContextPtr c) : Procedure(QStringLiteral("UpdateJurnal"), std::move(c)) {
    setPlacement(Placement::TopLevel);
  }

 protected:
  bool openFiles() override { return FileManager::jurnal().open(context().files()); }
  void closeFiles() override { FileManager::jurnal().close(context().files()); }
  QWidget* createWindow() override { return new QWidget; }
  void windowOpened() override {
    g_form->request = request();
    g_form->handed = context().files().jurnal;
    ++g_form->calls;
    QTimer::singleShot(0, this, [this] {
      if (g_form->action) g_form->action(context().files());
      finish(g_form->response);
    });
  }
};

class BrowseJurnalTest : public BrowseFixture {
 protected:
  void SetUp() override {
    BrowseFixture::SetUp();
    static bool formRegistered = false;
    if (!formRegistered)
      Runtime::instance().registry().add(QStringLiteral("UpdateJurnal"), [](ContextPtr c) { return new StandInForm(c); });
    formRegistered = true;
    g_form = &m_form;
  }
  void TearDown() override {
    BrowseFixture::TearDown();
    g_form = nullptr;
  }

  BrowseJurnal* open() {
    auto* w = start<BrowseJurnal>(QStringLiteral("BrowseJurnal"));
    EXPECT_NE(w, nullptr);
    return w;
  }
  static void selectTab(BrowseJurnal* w, int tab) {
    w->window()->findChild<QTabWidget*>(QStringLiteral("CURRENTTAB"))->setCurrentIndex(tab);
  }
  static QString label(BrowseJurnal* w, const char* name) {
    return w->window()->findChild<QLabel*>(QString::fromUtf8(name))->text();
  }
  static QAbstractButton* button(BrowseJurnal* w, const char* name) {
    return w->window()->findChild<QAbstractButton*>(QString::fromUtf8(name));
  }

  FormScript m_form;
};

TEST(BrowseJurnalRowFill, MarksRemarksAndQslCards) {
  const struct {
    const char* what;
    Contact contact;
    const char* marker;
    const char* remark;
    const char* sent;
    const char* received;
  } cases[] = {
      {"remark and both cards", {.remarks = "Прислал фото", .qslRes = "#", .qlsSend = "#"}, "#", "Прислал фото",
       "Отправлена", "Получена"},
      {"no remark, no cards", {}, "", "", "-", "-"},
      {"blank remark, card sent", {.remarks = "   ", .qlsSend = "#"}, "", "", "Отправлена", "-"},
      {"card received only", {.qslRes = "#"}, "", "", "-", "Получена"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BrowseRow row;
    BrowseJurnal::fillRow(makeContact(c.contact), row);
    ASSERT_EQ(row.values.size(), 13);
    EXPECT_EQ(row.values[8], QString::fromUtf8(c.marker));
    EXPECT_EQ(row.values[9].trimmed(), QString::fromUtf8(c.contact.qlsSend.empty() ? "" : "#"));
    EXPECT_EQ(row.values[10].trimmed(), QString::fromUtf8(c.contact.qslRes.empty() ? "" : "#"));
    ASSERT_EQ(row.extra.size(), 3);
    EXPECT_EQ(row.extra[0], QString::fromUtf8(c.remark));
    EXPECT_EQ(row.extra[1], QString::fromUtf8(c.sent));
    EXPECT_EQ(row.extra[2], QString::fromUtf8(c.received));
  }
}

TEST(BrowseJurnalRowFill, FormatsNumbersAndTimes) {
  BrowseRow row;
  JurnalRecord rec = makeContact({.band = 14.025, .bonus = 7});
  rec.uts = timeFromClock(9, 5);
  BrowseJurnal::fillRow(rec, row);
  EXPECT_EQ(row.values[1], QStringLiteral("09:05"));
  EXPECT_EQ(row.values[2], QStringLiteral("14.025"));
  EXPECT_EQ(row.values[12], QStringLiteral("7"));
}

TEST_F(BrowseJurnalTest, EachTabPutsItsOrderInForceAndLeavesOutContactsWithoutTheKey) {
  add({.date = 30, .band = 14.0, .radio = "UA3AA", .qth = "Тула", .diplom = "W-100-U", .bonus = 3});
  add({.date = 10, .band = 7.05, .radio = "", .qth = "", .diplom = "", .bonus = 0});
  add({.date = 20, .band = 0, .radio = "dl1ab", .qth = "Берлин", .diplom = "P-100-O", .bonus = -2});
  BrowseJurnal* w = open();
  ASSERT_NE(w, nullptr);
  const struct {
    int tab;
    std::vector<QString> radios;  // the DATE column depends on the locale; callsigns show the order
  } cases[] = {
      {0, {QStringLiteral(""), QStringLiteral("dl1ab"), QStringLiteral("UA3AA")}},
      {1, {QStringLiteral(""), QStringLiteral("UA3AA")}},
      {2, {QStringLiteral("dl1ab"), QStringLiteral("UA3AA")}},
      {3, {QStringLiteral("dl1ab"), QStringLiteral("UA3AA")}},  // БЕРЛИН < ТУЛА
      {4, {QStringLiteral("dl1ab"), QStringLiteral("UA3AA")}},  // P-100-O < W-100-U
      {5, {QStringLiteral("dl1ab"), QStringLiteral("UA3AA")}},  // -2 < 3, 0 left out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    selectTab(w, c.tab);
    EXPECT_EQ(w->browse()->view().order(), BrowseJurnal::orderForTab(c.tab));
    EXPECT_EQ(column(w->browse(), 3), c.radios);
  }
}

TEST_F(BrowseJurnalTest, SelectionKeyNarrowsByPrefixIgnoringCaseAndShowsTheKey) {
  for (const char* call : {"UA3AA", "ua9xx", "UB1AA", "DL1AB", "Ua1Zz"}) add({.date = 5, .radio = call});
  add({.date = 6, .qth = "Москва"});
  add({.date = 7, .qth = "МОСКВА"});
  add({.date = 8, .qth = "Мурманск"});
  BrowseJurnal* w = open();
  QTableView* list = listOf(w);
  selectTab(w, 2);
  typeText(list, QStringLiteral("ua"));
  EXPECT_EQ(column(w->browse(), 3), (std::vector<QString>{"Ua1Zz", "UA3AA", "ua9xx"}));
  EXPECT_EQ(label(w, "JUR:RADIO"), QStringLiteral("ua"));
  QTest::keyClick(list, Qt::Key_Backspace);
  QTest::keyClick(list, Qt::Key_Backspace);
  EXPECT_EQ(w->browse()->rowCount(), 5);

  selectTab(w, 3);
  typeText(list, QStringLiteral("мо"));
  EXPECT_EQ(column(w->browse(), 6), (std::vector<QString>{"Москва", "МОСКВА"}));
  EXPECT_EQ(label(w, "JUR:QTH"), QStringLiteral("мо"));

  // A change of tab starts with an empty key.
  selectTab(w, 2);
  selectTab(w, 3);
  EXPECT_EQ(w->browse()->locatorText(), QString());
  EXPECT_EQ(w->browse()->rowCount(), 3);
}

TEST_F(BrowseJurnalTest, BandKeyComparesThePlainDecimalText) {
  for (double band : {7.05, 7.1, 70.2, 14.025, 3.7}) add({.date = 5, .band = band});
  BrowseJurnal* w = open();
  QTableView* list = listOf(w);
  selectTab(w, 1);
  QTest::keyClick(list, Qt::Key_7);
  EXPECT_EQ(column(w->browse(), 2), (std::vector<QString>{"7.050", "7.100", "70.200"}));
  EXPECT_EQ(label(w, "JUR:BAND"), QStringLiteral("0007000"));
  typeText(list, QStringLiteral(".1"));
  EXPECT_EQ(column(w->browse(), 2), (std::vector<QString>{"7.100"}));
  EXPECT_EQ(label(w, "JUR:BAND"), QStringLiteral("0007100"));
  typeText(list, QStringLiteral("9"));
  EXPECT_EQ(w->browse()->rowCount(), 0);
  EXPECT_FALSE(w->window()->findChild<QLabel*>(QStringLiteral("JUR:BAND"))->isEnabled());
}

TEST_F(BrowseJurnalTest, DateAndPointsTabsPositionAtTheFirstValueNotLess) {
  for (int year : {2001, 2003, 2005}) add({.date = dateFromCalendar(year, 6, 1), .radio = "X", .bonus = static_cast<std::int16_t>(year - 2000)});
  BrowseJurnal* w = open();
  QTableView* list = listOf(w);
  typeText(list, QStringLiteral("2002"));
  ASSERT_NE(w->browse()->current(), nullptr);
  EXPECT_EQ(std::get<std::int64_t>(w->browse()->current()->position.key), dateFromCalendar(2003, 6, 1));
  EXPECT_EQ(w->browse()->rowCount(), 3) << "incremental search does not narrow";

  selectTab(w, 5);
  typeText(list, QStringLiteral("4"));
  EXPECT_EQ(w->browse()->current()->values[12].trimmed(), QStringLiteral("5"));
  QTest::keyClick(list, Qt::Key_Backspace);
  typeText(list, QStringLiteral("9"));
  EXPECT_EQ(w->browse()->current()->values[12].trimmed(), QStringLiteral("5")) << "past the end: the last row";
}

TEST_F(BrowseJurnalTest, EmptyListDisablesChangeAndDelete) {
  BrowseJurnal* w = open();
  EXPECT_EQ(w->browse()->rowCount(), 0);
  EXPECT_FALSE(button(w, "CHANGE:2")->isEnabled());
  EXPECT_FALSE(button(w, "DELETE:2")->isEnabled());
  EXPECT_TRUE(button(w, "INSERT:2")->isEnabled());
  const auto actions = w->browse()->popupMenu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("&Insert"));
  EXPECT_TRUE(actions[0]->isEnabled());
  EXPECT_FALSE(actions[1]->isEnabled());
  EXPECT_FALSE(actions[2]->isEnabled());
  // F4 and Delete do nothing; a contact added elsewhere enables them.
  QApplication::setActiveWindow(w->window());
  QTest::keyClick(listOf(w), Qt::Key_F4);
  QTest::keyClick(listOf(w), Qt::Key_Delete);
  EXPECT_EQ(m_form.calls, 0);
  add({.date = 5, .radio = "UA1A"});
  ASSERT_TRUE(waitFor([&] { return w->browse()->rowCount() == 1; }));
  EXPECT_TRUE(button(w, "CHANGE:2")->isEnabled());
  EXPECT_TRUE(actions[2]->isEnabled());
}

TEST_F(BrowseJurnalTest, ChangeHandsTheStoredContactToTheFormAndHighlightsItAfterwards) {
  for (int d = 1; d <= 5; ++d) add({.date = d, .radio = "R", .remarks = d == 3 ? "Полный текст пометки" : ""});
  BrowseJurnal* w = open();
  QTableView* list = listOf(w);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(w->browse()->current()->values[8], QStringLiteral("#"));
  EXPECT_EQ(label(w, "LOC:R"), QStringLiteral("Полный текст пометки"));
  // The stand-in form saves the change by the id the browse handed it.
  const std::int64_t id = w->browse()->current()->position.id;
  m_form.action = [id](ThreadFiles& f) {
    f.jurnal.date = 9;
    EXPECT_TRUE(FileManager::jurnal().update(f, id).ok());
  };
  // F4 is the window's hot key: it reaches the button from whatever has the focus.
  QApplication::setActiveWindow(w->window());
  QTest::keyClick(list, Qt::Key_F4);
  ASSERT_TRUE(waitFor([&] { return m_form.calls == 1 && w->window()->isEnabled(); }));
  EXPECT_EQ(m_form.request, Request::Change);
  EXPECT_EQ(fieldText(m_form.handed.remarks), utf8ToCp1251("Полный текст пометки"));
  ASSERT_NE(w->browse()->current(), nullptr);
  EXPECT_EQ(w->browse()->current()->position.id, id);
  EXPECT_EQ(std::get<std::int64_t>(w->browse()->current()->position.key), 9);
}

TEST_F(BrowseJurnalTest, InsertClearsTheBufferAndHighlightsTheNewContact) {
  for (int d = 1; d <= 3; ++d) add({.date = d * 10, .radio = "OLD"});
  BrowseJurnal* w = open();
  m_form.action = [](ThreadFiles& f) {
    f.jurnal = makeContact({.date = 15, .radio = "NEW1"});
    EXPECT_TRUE(FileManager::jurnal().insert(f).ok());
  };
  QTest::keyClick(listOf(w), Qt::Key_Insert);
  ASSERT_TRUE(waitFor([&] { return m_form.calls == 1 && w->window()->isEnabled(); }));
  EXPECT_EQ(m_form.request, Request::Insert);
  JurnalRecord cleared;
  cleared.clear();
  EXPECT_TRUE(m_form.handed == cleared);
  ASSERT_NE(w->browse()->current(), nullptr);
  EXPECT_EQ(w->browse()->current()->values[3], QStringLiteral("NEW1"));
}

TEST_F(BrowseJurnalTest, DeleteOfAContactGoneMeanwhileDoesNotCallTheForm) {
  const std::int64_t first = add({.date = 1, .radio = "A"});
  add({.date = 2, .radio = "B"});
  BrowseJurnal* w = open();
  m_writer->files().jurnal.clear();
  ASSERT_TRUE(FileManager::jurnal().remove(m_writer->files(), first).ok());
  button(w, "DELETE:2")->click();
  EXPECT_EQ(m_form.calls, 0);
  EXPECT_EQ(column(w->browse(), 3), (std::vector<QString>{"B"}));
}

TEST_F(BrowseJurnalTest, SwitchesAreBoundToTheGlobals) {
  globals().radio2.set("ON");
  BrowseJurnal* w = open();
  auto* radio = w->window()->findChild<QCheckBox*>(QStringLiteral("GLO:RADIO2"));
  auto* cq = w->window()->findChild<QCheckBox*>(QStringLiteral("GLO:CQ"));
  EXPECT_TRUE(radio->isChecked());
  EXPECT_FALSE(cq->isChecked());
  radio->click();
  cq->click();
  EXPECT_EQ(globals().radio2.trimmed(), "OFF");
  EXPECT_EQ(globals().cq.trimmed(), "ON");
}

TEST_F(BrowseJurnalTest, TwoWindowsKeepSeparatePositionsAndSeeEachOthersChanges) {
  for (int d = 1; d <= 6; ++d) add({.date = d, .radio = "X"});
  BrowseJurnal* a = open();
  BrowseJurnal* b = open();
  ASSERT_NE(&a->context(), &b->context());
  QTest::keyClick(listOf(a), Qt::Key_End);
  EXPECT_EQ(std::get<std::int64_t>(a->browse()->current()->position.key), 6);
  EXPECT_EQ(std::get<std::int64_t>(b->browse()->current()->position.key), 1);
  // A contact added by another window shows up in both, each keeping its highlight.
  add({.date = 4, .radio = "LATE"});
  ASSERT_TRUE(waitFor([&] { return a->browse()->rowCount() == 7 && b->browse()->rowCount() == 7; }));
  EXPECT_EQ(std::get<std::int64_t>(a->browse()->current()->position.key), 6);
  EXPECT_EQ(std::get<std::int64_t>(b->browse()->current()->position.key), 1);
}

}  // namespace
