// Progress window: size and control places in dialog units, texts, and every way of asking
// to cancel (button, Escape, the window manager's close) without closing it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "platform/dialogunits.h"
#include "platform/progresswindow.h"

namespace jurnal {
namespace {

TEST(ProgressWindow, ControlsSitWhereTheLayoutSays) {
  ProgressWindow w({QStringLiteral("Прогресс..."), QStringLiteral("Отменить"), 38});
  const DialogUnits du(w.font());
  EXPECT_EQ(w.size(), du.size(142, 59));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Прогресс..."));
  EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
  const struct {
    const char* name;
    QRect dlu;
  } controls[] = {
      {"PROGRESS:THERMOMETER", {15, 15, 111, 12}},
      {"PROGRESS:USERSTRING", {0, 3, 141, 10}},
      {"PROGRESS:PCTTEXT", {0, 30, 141, 10}},
      {"PROGRESS:CANCEL", {45, 38, 50, 15}},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    auto* control = w.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), du.rect(c.dlu.x(), c.dlu.y(), c.dlu.width(), c.dlu.height()));
  }
  EXPECT_EQ(w.cancelButton()->text(), QStringLiteral("Отменить"));
  EXPECT_TRUE(w.percentText().isEmpty());
  w.setPercent(37);
  EXPECT_EQ(w.percentText(), QStringLiteral("37% Complete"));
  EXPECT_EQ(w.thermometer()->value(), 37);
  w.resetProgress();
  EXPECT_TRUE(w.percentText().isEmpty());
}

TEST(ProgressWindow, ButtonEscapeAndCloseAllAskToCancel) {
  ProgressWindow w;
  w.show();
  QSignalSpy spy(&w, &ProgressWindow::cancelRequested);
  QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
  QTest::keyClick(&w, Qt::Key_Escape);
  w.close();
  EXPECT_EQ(spy.count(), 3);
  EXPECT_TRUE(w.isVisible());  // the run closes it, not the user
  w.closeQuietly();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(spy.count(), 3);
}

}  // namespace
}  // namespace jurnal
