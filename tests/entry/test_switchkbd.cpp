// The input-language switch against a fake keyboard: the rule on its own (compare, step once
// only when different, GLO:KBD from the request) and the moment each control of the contact
// form asks for its language.
#include "entry/entrytestsupport.h"
#include "entry/switchkbd.h"
#include "platform/keyboardlayoutnull.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {
const std::string kEn = kLayoutEnglish;
const std::string kRu = kLayoutRussian;
const std::string kDe = "00000407";
}  // namespace

TEST(SwitchKbd, StepsOnceOnlyWhenTheActiveLayoutDiffers) {
  struct Case {
    const char* name;
    const char* swkbd;
    std::vector<std::string> installed;
    std::size_t active;
    const char* request;
    const char* kbd;        // GLO:KBD afterwards
    int steps;
    std::string activeAfter;
  };
  const Case cases[] = {
      {"english to russian", "", {kEn, kRu}, 0, kLayoutRussian, "RU", 1, kRu},
      {"already russian", "ON", {kEn, kRu}, 1, kLayoutRussian, "RU", 0, kRu},
      {"russian to english", "ON", {kEn, kRu}, 1, kLayoutEnglish, "EN", 1, kEn},
      {"switching off", "OFF", {kEn, kRu}, 0, kLayoutRussian, "OFF", 0, kEn},
      {"off with trailing blank", "OFF ", {kEn, kRu}, 0, kLayoutRussian, "OFF", 0, kEn},
      {"lower-case off is on", "off", {kEn, kRu}, 0, kLayoutRussian, "RU", 1, kRu},
      // A third layout between the two: the single step lands on it, GLO:KBD says RU anyway.
      {"third layout between", "ON", {kEn, kDe, kRu}, 0, kLayoutRussian, "RU", 1, kDe},
      // An English layout other than the US one differs by name.
      {"other english", "ON", {"00000809", kRu}, 0, kLayoutEnglish, "EN", 1, kRu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetGlobals();
    globals().swkbd.set(c.swkbd);
    KeyboardLayoutFake keyboard(c.installed);
    keyboard.setActive(c.active);
    switchKbd(c.request, keyboard);
    EXPECT_EQ(globals().kbd.trimmed(), c.kbd);
    EXPECT_EQ(keyboard.steps(), c.steps);
    EXPECT_EQ(keyboard.activeName(), c.activeAfter);
  }
  resetGlobals();
}

TEST(SwitchKbd, UnreadableLayoutStepsOnceAndStillShowsTheRequest) {
  resetGlobals();
  KeyboardLayoutNull none;
  switchKbd(kLayoutRussian, none);
  EXPECT_EQ(globals().kbd.trimmed(), "RU");
  KeyboardLayoutFake empty(std::vector<std::string>{""});
  switchKbd(kLayoutEnglish, empty);
  EXPECT_EQ(empty.steps(), 1);
  EXPECT_EQ(globals().kbd.trimmed(), "EN");
  resetGlobals();
}

class SwitchKbdFormTest : public EntryTest {};

TEST_F(SwitchKbdFormTest, EachControlAsksForItsLanguageOnTheFocus) {
  // The keyboard starts Russian: opening the form asks for English.
  m_keyboard.setActive(1);
  openForm(Request::Insert);
  ASSERT_TRUE(formOpen());
  EXPECT_EQ(m_keyboard.activeName(), kEn);
  EXPECT_EQ(label("GLO:KBD"), "EN");

  struct Case {
    const char* control;
    const char* wanted;  // nullptr: the layout stays as it was
  };
  const Case cases[] = {
      {"JUR:DATE", kLayoutEnglish},     {"JUR:UTS", kLayoutEnglish},     {"JUR:BAND", kLayoutEnglish},
      {"JUR:RADIO", kLayoutEnglish},    {"JUR:RSS", kLayoutEnglish},     {"JUR:RSR", kLayoutEnglish},
      {"JUR:QTH", kLayoutRussian},      {"JUR:OPERATOR", kLayoutRussian}, {"JUR:DIPLOM", kLayoutRussian},
      {"JUR:BONUS", kLayoutEnglish},    {"JUR:REMARKS", kLayoutRussian}, {"JUR:QLS_SEND", nullptr},
      {"JUR:QSL_RES", nullptr},         {"OK", nullptr},                 {"CANCEL", nullptr},
  };
  for (const Case& c : cases) {
    for (std::size_t start : {0u, 1u}) {
      SCOPED_TRACE(std::string(c.control) + (start ? " from russian" : " from english"));
      m_keyboard.setActive(start);
      m_keyboard.resetSteps();
      globals().kbd.set("??");
      focusIn(control<QWidget>(c.control));
      if (!c.wanted) {
        EXPECT_EQ(m_keyboard.steps(), 0);
        EXPECT_EQ(globals().kbd.trimmed(), "??");
        continue;
      }
      EXPECT_EQ(m_keyboard.activeName(), c.wanted);
      EXPECT_EQ(m_keyboard.steps(), m_keyboard.activeIndex() == start ? 0 : 1);
      EXPECT_EQ(globals().kbd.trimmed(), std::string(c.wanted) == kEn ? "EN" : "RU");
    }
  }
}

TEST_F(SwitchKbdFormTest, DateEntryReturnsToEnglishOnAcceptAndRecall) {
  openForm(Request::Insert);
  m_keyboard.setActive(1);  // the operator switched by hand inside the date
  QTest::keyClick(control<QLineEdit>("JUR:DATE"), Qt::Key_Return);
  EXPECT_EQ(m_keyboard.activeName(), kEn);
  m_keyboard.setActive(1);
  QTest::keyClick(control<QLineEdit>("JUR:DATE"), Qt::Key_Apostrophe, Qt::ControlModifier);
  EXPECT_EQ(m_keyboard.activeName(), kEn);
  // Elsewhere a hand-chosen layout stays until the next request.
  m_keyboard.setActive(1);
  QTest::keyClick(control<QLineEdit>("JUR:RSS"), Qt::Key_Return);
  EXPECT_EQ(m_keyboard.activeName(), kRu);
}

TEST_F(SwitchKbdFormTest, SwitchingOffLeavesTheLayoutAloneAndShowsOff) {
  globals().swkbd.set("OFF");
  m_keyboard.setActive(1);
  openForm(Request::Insert);
  focusIn(control<QWidget>("JUR:BAND"));
  focusIn(control<QWidget>("JUR:QTH"));
  EXPECT_EQ(m_keyboard.steps(), 0);
  EXPECT_EQ(label("GLO:KBD"), "OFF");
}
