// The X11 keyboard-layout backend on a real X server with the layouts us,ru: the switch steps
// the server's layout, and the contact form's entries get theirs. Runs only under
// run_xkb_test.sh, which starts a private Xvfb and names it in JURNAL_XKB_DISPLAY.
#include "entry/entrytestsupport.h"
#include "entry/switchkbd.h"
#include "platform/keyboardlayoutx11.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

std::string xkbDisplay() { return qgetenv("JURNAL_XKB_DISPLAY").toStdString(); }

class XkbRealTest : public EntryTest {
 protected:
  void SetUp() override {
    if (xkbDisplay().empty()) GTEST_SKIP() << "needs the private X server of run_xkb_test.sh";
    EntryTest::SetUp();
    m_x11 = KeyboardLayoutX11::open(xkbDisplay());
    // A second connection reads what the server holds, not what the first one remembers.
    m_observer = KeyboardLayoutX11::open(xkbDisplay());
    ASSERT_NE(m_x11, nullptr) << "no X11 with XKB on " << xkbDisplay();
    ASSERT_NE(m_observer, nullptr);
    ASSERT_EQ(m_observer->layoutCodes(), (std::vector<std::string>{"us", "ru"}));
    KeyboardLayout::setCurrent(m_x11.get());
  }
  void TearDown() override {
    if (xkbDisplay().empty()) return;
    EntryTest::TearDown();
  }

  std::unique_ptr<KeyboardLayoutX11> m_x11;
  std::unique_ptr<KeyboardLayoutX11> m_observer;
};

}  // namespace

TEST_F(XkbRealTest, SwitchKbdStepsTheServersLayout) {
  if (m_observer->activeName() != kLayoutEnglish) m_x11->activateNext();
  ASSERT_EQ(m_observer->activeName(), kLayoutEnglish);
  switchKbd(kLayoutRussian);
  EXPECT_EQ(m_observer->activeGroup(), 1);
  EXPECT_EQ(m_observer->activeName(), kLayoutRussian);
  EXPECT_EQ(globals().kbd.trimmed(), "RU");
  switchKbd(kLayoutRussian);  // the names agree: no step
  EXPECT_EQ(m_observer->activeName(), kLayoutRussian);
  switchKbd(kLayoutEnglish);
  EXPECT_EQ(m_observer->activeName(), kLayoutEnglish);
  EXPECT_EQ(globals().kbd.trimmed(), "EN");
}

TEST_F(XkbRealTest, FormEntriesSwitchBetweenEnglishAndRussian) {
  m_x11->activateNext();  // start from Russian: the opening form asks for English
  openForm(Request::Insert);
  ASSERT_TRUE(formOpen());
  EXPECT_EQ(m_observer->activeName(), kLayoutEnglish);
  focusIn(control<QWidget>("JUR:QTH"));
  EXPECT_EQ(m_observer->activeName(), kLayoutRussian);
  EXPECT_EQ(label("GLO:KBD"), "RU");
  focusIn(control<QWidget>("JUR:OPERATOR"));
  EXPECT_EQ(m_observer->activeName(), kLayoutRussian);
  focusIn(control<QWidget>("JUR:BONUS"));
  EXPECT_EQ(m_observer->activeName(), kLayoutEnglish);
  EXPECT_EQ(label("GLO:KBD"), "EN");
}
