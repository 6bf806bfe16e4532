// The contact form offscreen: a new contact's defaults and status area, captions and the CQ
// frequency per request, Save/Cancel/Delete outcomes with their questions, the lookup's
// hand-back in RADIO mode, the recall key and the QSL boxes.
#include <QApplication>

#include "entry/entrytestsupport.h"
#include "platform/procedure.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

class UpdateJurnalTest : public EntryTest {};

// A stand-in for the contact history lookup: notes the callsign it was given and hands back
// what the test scripted, or, with nothing scripted (no earlier contact), the caller's own
// location and operator.
struct LookScript {
  static inline std::vector<std::string> seen;
  static inline std::optional<std::pair<std::string, std::string>> handBack;
};

class FakeLook final : public Procedure {
 public:
  explicit FakeLook(ContextPtr c) : Procedure(QStringLiteral("LookContact"), std::move(c)) {
    setPlacement(Placement::TopLevel);
  }

 protected:
  QWidget* createWindow() override { return new QWidget; }
  void windowOpened() override {
    Globals& g = globals();
    LookScript::seen.emplace_back(g.radioLook.trimmed());
    const JurnalRecord& caller = context().files().jurnal;
    g.lookQth.set(LookScript::handBack ? LookScript::handBack->first : std::string(fieldView(caller.qth)));
    g.lookOperator.set(LookScript::handBack ? LookScript::handBack->second
                                            : std::string(fieldView(caller.operatorName)));
    // A lookup that reads the log on the caller's thread may leave another contact there.
    context().files().jurnal.clear();
    finish(Response::Cancelled);
  }
};

void registerFakeLook() {
  Runtime::instance().registry().add(QStringLiteral("LookContact"),
                                     [](ContextPtr c) { return new FakeLook(std::move(c)); });
}

}  // namespace

TEST_F(UpdateJurnalTest, NewContactGetsDefaultsCqFrequencyAndStatus) {
  Globals& g = globals();
  g.cq.set("ON");
  g.band = 14.074;
  g.utsEdit.set("-3");
  openForm(Request::Insert);
  ASSERT_TRUE(formOpen());
  EXPECT_EQ(m_form->window()->windowTitle(), "Adding a Jurnal Record");
  EXPECT_EQ(text("JUR:DATE"), "5.03.2004");
  EXPECT_EQ(text("JUR:UTS"), "7:15");
  EXPECT_EQ(text("JUR:BAND"), "14.074");
  EXPECT_EQ(text("JUR:RSS"), "59");
  EXPECT_EQ(text("JUR:RSR"), "59");
  for (const char* empty : {"JUR:RADIO", "JUR:QTH", "JUR:OPERATOR", "JUR:DIPLOM", "JUR:REMARKS"}) {
    SCOPED_TRACE(empty);
    EXPECT_EQ(text(empty), "");
  }
  EXPECT_EQ(text("JUR:BONUS"), "0.00");
  EXPECT_FALSE(control<QCheckBox>("JUR:QLS_SEND")->isChecked());
  EXPECT_FALSE(control<QCheckBox>("JUR:QSL_RES")->isChecked());
  EXPECT_EQ(label("STRING5"), "Режим CQ - ");
  EXPECT_EQ(label("GLO:CQ"), "ON");
  EXPECT_EQ(label("STRING9"), "Язык ввода");
  EXPECT_EQ(label("GLO:KBD"), "EN");
  EXPECT_EQ(label("STRING6"), "Частота");
  EXPECT_EQ(label("GLO:BAND"), "14.074");
  EXPECT_EQ(label("GLO:UTSEDIT"), "-3");
  EXPECT_EQ(m_form->window()->focusWidget(), control<QLineEdit>("JUR:DATE"));
  // The time keeps its seconds although the entry shows hours and minutes.
  EXPECT_EQ(m_thread->files().jurnal.uts, timeFromClock(7, 15, 30));
}

TEST_F(UpdateJurnalTest, EveryRequestHasItsCaptionAndCarriesTheCqFrequency) {
  struct Case {
    std::uint8_t request;
    const char* caption;
    const char* cq;
    double cqBand;
    const char* shown;
  };
  const Case cases[] = {
      {Request::Insert, "Adding a Jurnal Record", "ON", 14.074, "14.074"},
      {Request::Change, "Changing a Jurnal Record", "ON", 14.074, "14.074"},
      {Request::Delete, "", "ON", 14.074, "14.074"},
      {Request::View, "View Record", "ON", 14.074, "14.074"},
      {Request::Change, "Changing a Jurnal Record", "ON", 0, "7"},      // no CQ frequency yet
      {Request::Change, "Changing a Jurnal Record", "OFF", 14.074, "7"},  // CQ mode off
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    globals().cq.set(c.cq);
    globals().band = c.cqBand;
    openForm(c.request, makeContact("UA3AAA"), 1);
    ASSERT_TRUE(formOpen());
    EXPECT_EQ(m_form->window()->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(text("JUR:BAND"), c.shown);
    EXPECT_EQ(text("JUR:RSS"), c.request == Request::Insert ? "59" : "57");  // a stored contact keeps its own
    m_form->finish(2);
    pumpEvents();
  }
}

TEST_F(UpdateJurnalTest, StoredContactWithoutDateIsFilledLikeANewOne) {
  JurnalRecord rec = makeContact("RA9XX", "Омск");
  rec.date = 0;
  globals().utsEdit.set("+3");
  openForm(Request::Change, rec, 5);
  EXPECT_EQ(text("JUR:DATE"), "5.03.2004");
  EXPECT_EQ(text("JUR:UTS"), "13:15");
  EXPECT_EQ(text("JUR:RSS"), "59");
  EXPECT_EQ(text("JUR:QTH"), "Омск");
  EXPECT_EQ(std::string(globals().utsEdit.view()), " 3 ");
}

TEST_F(UpdateJurnalTest, SaveInsertsThroughTheFileManagerAndReportsCompleted) {
  openForm(Request::Insert);
  type("JUR:RADIO", "UA9ABC");
  type("JUR:QTH", "Тюмень");
  type("JUR:OPERATOR", "Сергей");
  type("JUR:BONUS", "1,234");
  // The last entry is typed but never left: Save takes it all the same.
  control<QLineEdit>("JUR:REMARKS")->setText("ок");
  click("JUR:QLS_SEND");
  click("OK");
  ASSERT_EQ(m_response, Response::Completed);
  const auto rows = stored();
  ASSERT_EQ(rows.size(), 1u);
  const JurnalRecord& r = rows[0].rec;
  EXPECT_EQ(fieldText(r.radio), "UA9ABC");
  EXPECT_EQ(cp1251ToUtf8(fieldText(r.qth)), "Тюмень");
  EXPECT_EQ(cp1251ToUtf8(fieldText(r.operatorName)), "Сергей");
  EXPECT_EQ(cp1251ToUtf8(fieldText(r.remarks)), "ок");
  EXPECT_EQ(r.bonus, 1234);
  EXPECT_EQ(r.qlsSend[0], '#');
  EXPECT_EQ(r.qslRes[0], ' ');
  EXPECT_EQ(r.date, dateFromCalendar(2004, 3, 5));
  // The browse finds the saved contact by the id left on its thread.
  EXPECT_EQ(m_thread->files().jurnalId, rows[0].id);
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
}

TEST_F(UpdateJurnalTest, ChangeWritesOnlyWhatWasEditedAndNothingWhenUnchanged) {
  JurnalRecord rec = makeContact("UA3AAA", "Москва", "Александр Николаевич");  // 20 characters
  setField(rec.remarks, utf8ToCp1251("двадцать пять символов ещё"));         // 26 of 30
  rec.qslRes[0] = '#';
  const std::int64_t id = storeContact(rec);

  openForm(Request::Change, rec, id);
  click("OK");
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_EQ(stored().at(0).rec, rec);

  openForm(Request::Change, rec, id);
  type("JUR:RSS", "55");
  click("JUR:QSL_RES");  // unticked: a blank
  click("OK");
  ASSERT_EQ(m_response, Response::Completed);
  JurnalRecord expected = rec;
  setField(expected.rss, "55");
  expected.qslRes[0] = ' ';
  // The operator and remarks entries take fewer characters than their fields: untouched,
  // the stored values stay whole.
  EXPECT_EQ(stored().at(0).rec, expected);

  openForm(Request::Change, expected, id);
  type("JUR:OPERATOR", "Саша");
  click("OK");
  ASSERT_EQ(m_response, Response::Completed);
  EXPECT_EQ(cp1251ToUtf8(fieldText(stored().at(0).rec.operatorName)), "Саша");
}

TEST_F(UpdateJurnalTest, CancelAsksOnlyWhenTheRecordChanged) {
  ErrorManager& errors = ErrorManager::instance();
  // A new contact always differs from the cleared record it started from.
  openForm(Request::Insert);
  errors.scriptAnswers({Answer::No});
  click("CANCEL");
  ASSERT_TRUE(formOpen());
  auto asked = errors.takeMessages();
  ASSERT_EQ(asked.size(), 1);
  EXPECT_EQ(asked[0].title, "Changes will be lost!");
  EXPECT_EQ(asked[0].text, "Are you sure you want to cancel?");
  EXPECT_EQ(m_form->window()->focusWidget(), control<QLineEdit>("JUR:DATE"));
  errors.scriptAnswers({Answer::Yes});
  click("CANCEL");
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_EQ(errors.takeMessages().size(), 1);
  EXPECT_TRUE(stored().empty());

  const JurnalRecord rec = makeContact("UA3AAA");
  const std::int64_t id = storeContact(rec);
  openForm(Request::Change, rec, id);
  click("CANCEL");
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_TRUE(errors.takeMessages().isEmpty());

  // Typed but not yet left counts as a change.
  openForm(Request::Change, rec, id);
  control<QLineEdit>("JUR:RADIO")->setText("UA3BBB");
  errors.scriptAnswers({Answer::Yes});
  click("CANCEL");
  EXPECT_EQ(errors.takeMessages().size(), 1);
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_EQ(stored().at(0).rec, rec);
}

TEST_F(UpdateJurnalTest, DeleteShowsEmptyCaptionAndSaveDeletesWithoutQuestion) {
  const JurnalRecord rec = makeContact("UA3AAA");
  const std::int64_t id = storeContact(rec);
  openForm(Request::Delete, rec, id);
  type("JUR:RADIO", "ZZZ");  // whatever is typed, Cancel keeps the contact without asking
  click("CANCEL");
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_EQ(stored().size(), 1u);

  openForm(Request::Delete, rec, id);
  EXPECT_EQ(m_form->window()->windowTitle(), "");
  click("OK");
  EXPECT_EQ(m_response, Response::Completed);
  EXPECT_TRUE(stored().empty());
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
}

TEST_F(UpdateJurnalTest, FailedWritesAskToRetryAndHonourTheAnswer) {
  ErrorManager& errors = ErrorManager::instance();
  struct Case {
    std::uint8_t request;
    const char* title;
  };
  const Case cases[] = {{Request::Change, "Record Update Error"}, {Request::Delete, "Record Delete Error"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const JurnalRecord rec = makeContact("UA3AAA");
    const std::int64_t id = storeContact(rec);
    openForm(c.request, rec, id);
    if (c.request == Request::Change) type("JUR:RSS", "11");
    removeStored(id);  // another window deleted it meanwhile

    errors.scriptAnswers({Answer::Yes, Answer::Cancel});  // try again, fail again, stay
    click("OK");
    ASSERT_TRUE(formOpen());
    const auto asked = errors.takeMessages();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].title, c.title);
    EXPECT_EQ(asked[0].level, ErrorLevel::Question);

    errors.scriptAnswers({Answer::No});
    click("OK");
    EXPECT_EQ(m_response, Response::Cancelled);
    EXPECT_EQ(errors.takeMessages().size(), 1);
    EXPECT_TRUE(stored().empty());  // nothing came back to life
  }
}

TEST_F(UpdateJurnalTest, ViewSavesNothing) {
  const JurnalRecord rec = makeContact("UA3AAA");
  const std::int64_t id = storeContact(rec);
  openForm(Request::View, rec, id);
  type("JUR:RADIO", "ZZZ");
  click("OK");
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_EQ(stored().at(0).rec, rec);
}

TEST_F(UpdateJurnalTest, TypedFrequencyBecomesTheCqFrequencyAtOnce) {
  globals().cq.set("ON");
  globals().band = 14.074;
  openForm(Request::Insert);
  type("JUR:BAND", "7.050");
  EXPECT_DOUBLE_EQ(globals().band, 7.05);
  EXPECT_EQ(label("GLO:BAND"), "7.050");
  click("OK");
  openForm(Request::Insert);
  EXPECT_EQ(text("JUR:BAND"), "7.05");

  // Off CQ mode the CQ frequency stays.
  globals().cq.set("OFF");
  type("JUR:BAND", "3,6");
  EXPECT_DOUBLE_EQ(globals().band, 7.05);
  EXPECT_DOUBLE_EQ(m_thread->files().jurnal.band, 3.6);
}

TEST_F(UpdateJurnalTest, RadioModeHandsBackLocationAndOperatorUntilSaveHadFocus) {
  registerFakeLook();
  LookScript::seen.clear();
  globals().radio2.set("ON");
  openForm(Request::Insert);
  type("JUR:RSS", "33");

  // No earlier contact: the lookup hands back the form's own values.
  LookScript::handBack.reset();
  type("JUR:QTH", "Кострома");
  type("JUR:RADIO", "ua3abc");
  ASSERT_TRUE(test::waitFor([&] { return LookScript::seen.size() == 1; }));
  EXPECT_EQ(LookScript::seen.back(), "ua3abc");
  EXPECT_EQ(text("JUR:QTH"), "Кострома");

  // An earlier contact: its values replace what was typed, cut to the field; blank blanks.
  LookScript::handBack = {utf8ToCp1251("Санкт-Петербург-Центр"), ""};
  type("JUR:OPERATOR", "Иван");
  type("JUR:RADIO", "UA3ABC");
  ASSERT_TRUE(test::waitFor([&] { return LookScript::seen.size() == 2; }));
  EXPECT_EQ(text("JUR:QTH"), "Санкт-Петербург");
  EXPECT_EQ(text("JUR:OPERATOR"), "");
  EXPECT_EQ(text("JUR:RSS"), "33");
  EXPECT_EQ(fieldText(m_thread->files().jurnal.radio), "UA3ABC");
  EXPECT_EQ(text("JUR:DATE"), "5.03.2004");

  // Once Save has had the focus, the callsign no longer opens the lookup.
  focusIn(control<QPushButton>("OK"));
  type("JUR:RADIO", "UA3XYZ");
  test::pumpEvents();
  EXPECT_EQ(LookScript::seen.size(), 2u);
  EXPECT_EQ(globals().radioLook.trimmed(), "UA3XYZ");
}

TEST_F(UpdateJurnalTest, RecallKeyRestoresFieldsOfTheLastSavedContact) {
  const auto recall = [&](const char* name) {
    QTest::keyClick(control<QWidget>(name), Qt::Key_Apostrophe, Qt::ControlModifier);
  };
  openForm(Request::Insert);
  type("JUR:RADIO", "XX");
  recall("JUR:RADIO");
  EXPECT_EQ(text("JUR:RADIO"), "");  // nothing saved yet in this run
  recall("JUR:RSS");
  EXPECT_EQ(text("JUR:RSS"), "");
  type("JUR:RADIO", "UA1AA");
  type("JUR:RSS", "44");
  type("JUR:REMARKS", "тест");
  click("JUR:QLS_SEND");
  click("OK");
  ASSERT_EQ(m_response, Response::Completed);

  openForm(Request::Insert);
  for (const char* name : {"JUR:RADIO", "JUR:RSS", "JUR:REMARKS", "JUR:QLS_SEND", "JUR:QSL_RES"}) recall(name);
  EXPECT_EQ(text("JUR:RADIO"), "UA1AA");
  EXPECT_EQ(text("JUR:RSS"), "44");
  EXPECT_EQ(text("JUR:REMARKS"), "тест");
  EXPECT_TRUE(control<QCheckBox>("JUR:QLS_SEND")->isChecked());
  EXPECT_FALSE(control<QCheckBox>("JUR:QSL_RES")->isChecked());
  EXPECT_EQ(text("JUR:QTH"), "");  // only the fields asked for
}
