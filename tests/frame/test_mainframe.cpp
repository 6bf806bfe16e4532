// The main frame offscreen: its menu exactly as designed, its status bar, and the settings
// file it leaves behind.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "core/daytime.h"
#include "core/globals.h"
#include "frame/frameprocedures.h"
#include "frame/mainframe.h"
#include "platform/inisections.h"
#include "platform/runtime.h"
#include "support/testsupport.h"

using namespace jurnal;

namespace {

struct ExpectedItem {
  const char* menu;     // caption of the drop-down menu; nullptr for an item on the bar itself
  const char* caption;  // the item's caption with its access letter and key label
  const char* label;    // objectName
  const char* message;  // zone-1 text, "" when none
};

const ExpectedItem kMenu[] = {
    {"&Файл", "Выгрузить базу  в текст", "SOHR", ""},
    {"&Файл", "Загрузка базы из текста", "ZAGRUZ", ""},
    {"&Файл", "&Настройки принтера", "PRINTSETUP", "Setup printer"},
    {"&Файл", "E&xit\tF10Key", "EXIT", "Exit this application"},
    {"&Открыть", "Журнал\tF3Key", "BROWSEJURNAL", "Browse Jurnal"},
    {"&Отчеты", "Отчет по  Частоте", "PRINTJUR:BAND_KEY", "Print ordered by По BAND"},
    {"&Отчеты", "Отчет по  Позывному", "PRINTJUR:RADIO_KEY", "Print ordered by По RADIO"},
    {"&Отчеты", "Отчет по  Диплому", "PRINTJUR:DIPLOM_KEY", "Print ordered by По диплому"},
    {"&Отчеты", "Отчет по  Дате", "PRINTJUR:INDEX", "Print ordered by По дате"},
    {"&Настройки", "Открыть", "НАСТРОЙКИITEM15", "Открыть настройки"},
    {"&Окно", "T&ile", "TILE", "Make all open windows visible"},
    {"&Окно", "&Cascade", "CASCADE", "Stack all open windows"},
    {"&Окно", "&Arrange Icons", "ARRANGE", "Align all window icons"},
    {nullptr, "О программе", "ОПРОГРАММЕ", "О программе"},
    {"Help", "PHONETICS\tShift+F2", "ITEM16", ""},
};

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) registerFrameProcedures(Runtime::instance().registry());
    registered = true;
    m_clock.set(dateFromCalendar(2004, 3, 5), timeFromClock(9, 7, 3));
    Clock::setCurrent(&m_clock);
  }
  void TearDown() override { Clock::setCurrent(nullptr); }

  test::ScratchFolder m_folder;
  FixedClock m_clock{0, 0};
};

}  // namespace

TEST_F(MainFrameTest, MenuBarHasEveryCaptionLabelAndMessageInOrder) {
  MainFrame frame;
  frame.start();
  EXPECT_EQ(frame.windowTitle().toStdString(), "Журнал оператора");

  QStringList bar;
  for (QAction* a : frame.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar.join(QLatin1Char('|')).toStdString(), "&Файл|&Открыть|&Отчеты|&Настройки|&Окно|О программе|Help");

  QStringList seen;
  for (QAction* top : frame.menuBar()->actions()) {
    if (!top->menu()) {
      seen << QStringLiteral("-|%1|%2|%3").arg(top->text(), top->objectName(), top->statusTip());
      continue;
    }
    for (QAction* item : top->menu()->actions()) {
      if (item->isSeparator()) continue;
      seen << QStringLiteral("%1|%2|%3|%4").arg(top->text(), item->text(), item->objectName(), item->statusTip());
    }
  }
  QStringList expected;
  for (const auto& e : kMenu) {
    expected << QStringLiteral("%1|%2|%3|%4")
                    .arg(e.menu ? QString::fromUtf8(e.menu) : QStringLiteral("-"), QString::fromUtf8(e.caption),
                         QString::fromUtf8(e.label), QString::fromUtf8(e.message));
  }
  EXPECT_EQ(seen.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());

  // The two separators of the file menu sit before the printer set-up and before Exit.
  QStringList fileMenu;
  for (QAction* a : frame.menuBar()->actions().first()->menu()->actions())
    fileMenu << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
  EXPECT_EQ(fileMenu.join(QLatin1Char(' ')).toStdString(), "SOHR ZAGRUZ - PRINTSETUP - EXIT");

  QStringList keys;
  for (QShortcut* s : frame.findChildren<QShortcut*>()) keys << s->key().toString();
  keys.sort();
  EXPECT_EQ(keys.join(QLatin1Char(' ')).toStdString(), "F10 F3 Shift+F2");
  EXPECT_EQ(frame.menuBar()->objectName().toStdString(), "MENUBAR");

  auto* zone3 = frame.findChild<QLabel*>(QStringLiteral("ZONE3"));
  auto* zone4 = frame.findChild<QLabel*>(QStringLiteral("ZONE4"));
  ASSERT_TRUE(zone3 && zone4);
  EXPECT_EQ(zone3->text().toStdString(), "Friday,  5/03/2004");
  EXPECT_EQ(zone4->text().toStdString(), " 9:07:03");
  frame.close();
}

TEST_F(MainFrameTest, AboutRunsOnTheFrameThreadSuspendingMenuAndClock) {
  MainFrame frame;
  frame.start();
  auto* about = frame.findChild<QAction*>(QString::fromUtf8("ОПРОГРАММЕ"));
  ASSERT_TRUE(about);
  ASSERT_TRUE(about->isEnabled());
  about->trigger();
  ASSERT_TRUE(Runtime::instance().frameSuspended());
  EXPECT_FALSE(frame.menuBar()->isEnabled());
  m_clock.set(dateFromCalendar(2004, 3, 5), timeFromClock(9, 7, 5));
  test::waitFor([] { return false; }, 1300);
  auto* zone4 = frame.findChild<QLabel*>(QStringLiteral("ZONE4"));
  EXPECT_EQ(zone4->text().toStdString(), " 9:07:03") << "the clock waits while the about window is open";

  QWidget* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowTitle() == QString::fromUtf8("О программе")) window = w;
  ASSERT_TRUE(window);
  frame.close();
  EXPECT_TRUE(frame.isVisible()) << "the frame does not close while a window runs on its thread";
  window->close();
  test::pumpEvents();
  EXPECT_FALSE(Runtime::instance().frameSuspended());
  EXPECT_TRUE(frame.menuBar()->isEnabled());
  EXPECT_EQ(zone4->text().toStdString(), " 9:07:05");
  frame.close();
}

TEST_F(MainFrameTest, ClosingWritesTheFrameSectionAndTheNextStartRestoresIt) {
  {
    MainFrame frame;
    frame.start();
    frame.move(40, 30);
    frame.close();
  }
  const QByteArray first = m_folder.read(QStringLiteral("config.ini"));
  EXPECT_TRUE(first.startsWith("[Main]\r\nMaximize=No\r\nXPos=")) << first.toStdString();
  EXPECT_TRUE(first.contains("\r\nHeight=") && first.contains("\r\nWidth=")) << first.toStdString();
  {
    MainFrame frame;
    frame.start();
    // Positions are kept in dialog units, so the frame comes back within one unit of where it was.
    EXPECT_NEAR(frame.x(), 40, 2);
    EXPECT_NEAR(frame.y(), 30, 2);
    frame.showMaximized();
    frame.close();
  }
  const QByteArray second = m_folder.read(QStringLiteral("config.ini"));
  // Maximised: only the state changes; the position entries stay from the last normal close.
  QByteArray expected = first;
  expected.replace("Maximize=No", "Maximize=Yes");
  EXPECT_EQ(second.toStdString(), expected.toStdString());
  {
    MainFrame frame;
    frame.start();
    EXPECT_TRUE(frame.isMaximized());
    frame.close();
  }
}
