// The settings dialog: the offset entry and the switch box write straight into the globals,
// and OK and Cancel both only close.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/entrytestsupport.h"
#include "platform/procedure.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

class SetingsTest : public EntryTest {
 protected:
  Procedure* openSettings() {
    m_dialog = Runtime::instance().runOnFrameThread(QStringLiteral("setings"), [this](int) { m_closed = true; });
    return m_dialog;
  }
  template <class T>
  T* item(const char* name) {
    T* c = m_dialog ? m_dialog->window()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QPointer<Procedure> m_dialog;
  bool m_closed = false;
};

}  // namespace

TEST_F(SetingsTest, CancelKeepsWhatWasTyped) {
  for (const char* button : {"CANCELBUTTON", "OKBUTTON"}) {
    for (const char* typed : {"-3", "+3"}) {
      SCOPED_TRACE(std::string(button) + " " + typed);
      globals().utsEdit.set("5");
      m_closed = false;
      ASSERT_NE(openSettings(), nullptr);
      EXPECT_EQ(m_dialog->window()->windowTitle(), "Настройки");
      EXPECT_TRUE(Runtime::instance().frameSuspended());
      QLineEdit* offset = item<QLineEdit>("GLO:UTSEDIT");
      EXPECT_EQ(offset->text(), "5");
      EXPECT_EQ(offset->maxLength(), 3);
      offset->clear();
      offset->insert(QString::fromLatin1(typed));
      item<QPushButton>(button)->click();
      test::pumpEvents();
      EXPECT_TRUE(m_closed);
      EXPECT_FALSE(Runtime::instance().frameSuspended());
      EXPECT_EQ(globals().utsEdit.trimmed(), typed);  // "+3" is stored as typed
    }
  }
}

TEST_F(SetingsTest, SwitchBoxStoresOnAndOffAtOnce) {
  // First run: the switch is empty (switching on), the box unticked, the text beside it empty.
  openSettings();
  QCheckBox* box = item<QCheckBox>("GLO:SWKBD");
  QLabel* shown = item<QLabel>("GLO:SWKBD:2");
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(shown->text(), "");
  box->click();
  EXPECT_EQ(globals().swkbd.trimmed(), "ON");
  EXPECT_EQ(shown->text(), "ON");
  box->click();
  EXPECT_EQ(globals().swkbd.trimmed(), "OFF");
  EXPECT_EQ(shown->text(), "OFF");
  m_dialog->requestClose();
  test::pumpEvents();
  EXPECT_TRUE(m_closed);
  EXPECT_EQ(globals().swkbd.trimmed(), "OFF");
  EXPECT_TRUE(m_folder.read(QStringLiteral("config.ini")).contains("[setings]"));
}
