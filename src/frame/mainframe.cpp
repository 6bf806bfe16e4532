// Menu table, dispatch of menu commands by procedure name, status bar and closing.
#include "frame/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include "core/daytime.h"
#include "core/globals.h"
#include "frame/pictures.h"
#include "frame/statustext.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/inisections.h"
#include "platform/printer.h"
#include "platform/runtime.h"

namespace jurnal {
namespace {

enum Mode { NewThread, FrameThread, Builtin };

struct MenuItem {
  const char* caption;    // as shown; "&" marks the access letter, text after a tab is the key label
  const char* label;      // control label without "?", also the action's objectName
  const char* message;    // zone-1 text
  const char* procedure;  // procedure started, or the built-in command
  int mode;
  const char* key;        // shortcut, when the item has one
};

// The area that paints the background picture stretched over the client area.
class BackgroundArea final : public QMdiArea {
 public:
  BackgroundArea() : m_picture(QPixmap::fromImage(backgroundPicture())) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(viewport());
    painter.drawPixmap(viewport()->rect(), m_picture);
    QMdiArea::paintEvent(event);
  }

 private:
  QPixmap m_picture;
};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

MainFrame::MainFrame() {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(text("Журнал оператора"));
  setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8));
  m_area = new BackgroundArea;
  m_area->setBackground(Qt::NoBrush);
  setCentralWidget(m_area);
  Runtime::instance().setMdiArea(m_area);
  buildMenu();

  const DialogUnits units(font());
  auto* bar = statusBar();
  m_zone2 = new QLabel;
  m_zone3 = new QLabel;
  m_zone4 = new QLabel;
  m_zone2->setFixedWidth(units.x(80));
  m_zone3->setFixedWidth(units.x(120));
  m_zone4->setFixedWidth(units.x(45));
  m_zone2->setObjectName(QStringLiteral("ZONE2"));
  m_zone3->setObjectName(QStringLiteral("ZONE3"));
  m_zone4->setObjectName(QStringLiteral("ZONE4"));
  for (QLabel* zone : {m_zone2, m_zone3, m_zone4}) {
    zone->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(zone);
  }
  resize(units.size(454, 337));

  m_clock = new QTimer(this);
  connect(m_clock, &QTimer::timeout, this, &MainFrame::refreshStatus);
  connect(&Runtime::instance(), &Runtime::frameSuspendedChanged, this, &MainFrame::setSuspended);
}

MainFrame::~MainFrame() {
  if (Runtime::instance().mdiArea() == m_area) Runtime::instance().setMdiArea(nullptr);
}

void MainFrame::buildMenu() {
  auto* bar = menuBar();
  bar->setObjectName(QStringLiteral("MENUBAR"));

  const auto addItem = [this](QMenu* menu, const MenuItem& item) {
    auto* action = menu->addAction(text(item.caption));
    action->setObjectName(QString::fromUtf8(item.label));
    if (item.message) action->setStatusTip(text(item.message));
    const QString procedure = QString::fromUtf8(item.procedure);
    const int mode = item.mode;
    connect(action, &QAction::triggered, this, [this, procedure, mode] { dispatch(procedure, mode); });
    if (item.key) {
      auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(item.key)), this);
      connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
    }
    if (mode != Builtin) m_procedureActions.push_back(action);
    return action;
  };
  const auto addMenu = [bar](const char* caption, const char* label, const char* message) {
    QMenu* menu = bar->addMenu(text(caption));
    menu->setObjectName(QString::fromUtf8(label));
    menu->menuAction()->setObjectName(QString::fromUtf8(label));
    if (message) menu->menuAction()->setStatusTip(text(message));
    return menu;
  };

  QMenu* file = addMenu("&Файл", "FILEMENU", nullptr);
  addItem(file, {"Выгрузить базу  в текст", "SOHR", nullptr, "Vyvod", NewThread, nullptr});
  addItem(file, {"Загрузка базы из текста", "ZAGRUZ", nullptr, "zagruzka", FrameThread, nullptr});
  file->addSeparator();
  addItem(file, {"&Настройки принтера", "PRINTSETUP", "Setup printer", "printersetup", Builtin, nullptr});
  file->addSeparator();
  addItem(file, {"E&xit\tF10Key", "EXIT", "Exit this application", "exit", Builtin, "F10"});

  QMenu* browse = addMenu("&Открыть", "BROWSEMENU", nullptr);
  addItem(browse, {"Журнал\tF3Key", "BROWSEJURNAL", "Browse Jurnal", "BrowseJurnal", NewThread, "F3"});

  QMenu* reports = addMenu("&Отчеты", "REPORTMENU", "Report data");
  addItem(reports, {"Отчет по  Частоте", "PRINTJUR:BAND_KEY", "Print ordered by По BAND", "PrintJUR:BAND_KEY", NewThread, nullptr});
  addItem(reports, {"Отчет по  Позывному", "PRINTJUR:RADIO_KEY", "Print ordered by По RADIO", "GetRadio", NewThread, nullptr});
  addItem(reports, {"Отчет по  Диплому", "PRINTJUR:DIPLOM_KEY", "Print ordered by По диплому", "GetDiplom", NewThread, nullptr});
  addItem(reports, {"Отчет по  Дате", "PRINTJUR:INDEX", "Print ordered by По дате", "getdate", NewThread, nullptr});

  QMenu* settings = addMenu("&Настройки", "НАСТРОЙКИ", "Настройки программы");
  addItem(settings, {"Открыть", "НАСТРОЙКИITEM15", "Открыть настройки", "setings", FrameThread, nullptr});

  m_windowMenu = addMenu("&Окно", "WINDOWMENU", "Create and Arrange windows");
  addItem(m_windowMenu, {"T&ile", "TILE", "Make all open windows visible", "tile", Builtin, nullptr});
  addItem(m_windowMenu, {"&Cascade", "CASCADE", "Stack all open windows", "cascade", Builtin, nullptr});
  addItem(m_windowMenu, {"&Arrange Icons", "ARRANGE", "Align all window icons", "arrange", Builtin, nullptr});
  connect(m_windowMenu, &QMenu::aboutToShow, this, &MainFrame::fillWindowMenu);

  // "О программе" sits on the menu bar itself.
  auto* about = bar->addAction(text("О программе"));
  about->setObjectName(text("ОПРОГРАММЕ"));
  about->setStatusTip(text("О программе"));
  connect(about, &QAction::triggered, this, [this] { dispatch(QStringLiteral("programm"), FrameThread); });
  m_procedureActions.push_back(about);

  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  addItem(help, {"PHONETICS\tShift+F2", "ITEM16", nullptr, "phonetics", NewThread, "Shift+F2"});

  // Items whose procedure is not part of this build stay visible but disabled.
  const ProcedureRegistry& registry = Runtime::instance().registry();
  const struct { const char* label; const char* procedure; } bindings[] = {
      {"SOHR", "Vyvod"}, {"ZAGRUZ", "zagruzka"}, {"BROWSEJURNAL", "BrowseJurnal"},
      {"PRINTJUR:BAND_KEY", "PrintJUR:BAND_KEY"}, {"PRINTJUR:RADIO_KEY", "GetRadio"},
      {"PRINTJUR:DIPLOM_KEY", "GetDiplom"}, {"PRINTJUR:INDEX", "getdate"},
      {"НАСТРОЙКИITEM15", "setings"}, {"ОПРОГРАММЕ", "programm"}, {"ITEM16", "phonetics"},
  };
  for (const auto& b : bindings) {
    if (auto* action = findChild<QAction*>(QString::fromUtf8(b.label))) {
      action->setEnabled(registry.has(QString::fromUtf8(b.procedure)));
    }
  }
}

void MainFrame::start() {
  ErrorManager::instance().setProcedureName(QStringLiteral("Main"));
  Globals& g = globals();
  g.request = 0;
  g.response = 0;
  show();
  fetchWindow(QStringLiteral("Main"), this, true);
  m_started = true;
  // The frame declares no timer, so it ticks at the largest interval allowed: once a second.
  m_clock->start(1000);
  refreshStatus();
}

void MainFrame::refreshStatus() {
  const Clock& clock = Clock::current();
  m_zone3->setText(statusDateText(clock.today()));
  m_zone4->setText(statusTimeText(clock.now()));
}

void MainFrame::dispatch(const QString& procedure, int mode) {
  if (Runtime::instance().frameSuspended()) return;
  if (procedure == QLatin1String("exit")) {
    close();
  } else if (procedure == QLatin1String("printersetup")) {
    printerSetup();
  } else if (procedure == QLatin1String("tile")) {
    m_area->tileSubWindows();
  } else if (procedure == QLatin1String("cascade")) {
    m_area->cascadeSubWindows();
  } else if (procedure == QLatin1String("arrange")) {
    arrangeIcons();
  } else if (mode == FrameThread) {
    Runtime::instance().runOnFrameThread(procedure);
  } else {
    Runtime::instance().startOnNewThread(procedure);
  }
}

void MainFrame::setSuspended(bool suspended) {
  // While a window runs on the frame's own thread the frame handles none of its own events.
  menuBar()->setEnabled(!suspended);
  for (QShortcut* shortcut : findChildren<QShortcut*>()) shortcut->setEnabled(!suspended);
  if (suspended) {
    m_clock->stop();
  } else if (m_started) {
    m_clock->start(1000);
    refreshStatus();
  }
}

void MainFrame::fillWindowMenu() {
  for (QAction* action : m_windowListActions) {
    m_windowMenu->removeAction(action);
    action->deleteLater();
  }
  m_windowListActions.clear();
  const auto windows = m_area->subWindowList();
  if (windows.isEmpty()) return;
  m_windowListActions.push_back(m_windowMenu->addSeparator());
  int n = 1;
  for (QMdiSubWindow* window : windows) {
    auto* action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(window->windowTitle()));
    action->setCheckable(true);
    action->setChecked(window == m_area->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, window] {
      if (m_area->subWindowList().contains(window)) m_area->setActiveSubWindow(window);
    });
    m_windowListActions.push_back(action);
  }
}

void MainFrame::arrangeIcons() {
  // Minimised child windows line up along the bottom edge, left to right.
  int x = 0;
  const int bottom = m_area->viewport()->height();
  for (QMdiSubWindow* window : m_area->subWindowList()) {
    if (!window->isMinimized()) continue;
    window->move(x, bottom - window->height());
    x += window->width();
  }
}

void MainFrame::printerSetup() {
  if (m_printDialog) {
    m_printDialog->raise();
    return;
  }
  m_printDialog = new QPrintDialog(&sharedPrinter(), this);
  m_printDialog->setAttribute(Qt::WA_DeleteOnClose);
  m_printDialog->setWindowTitle(text("Настройки принтера"));
  m_printDialog->open();
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (m_closed) {
    event->accept();
    return;
  }
  if (Runtime::instance().frameSuspended()) {
    event->ignore();
    return;
  }
  // Every child window is asked to close in turn; one that declines keeps the frame open.
  m_area->closeAllSubWindows();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != this && top->isVisible() && !top->inherits("QMenu")) top->close();
  }
  QApplication::processEvents();
  bool childLeft = !m_area->subWindowList().isEmpty();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != this && top->isVisible() && top->isWindow() && !top->inherits("QMenu") &&
        !top->inherits("QShortcut"))
      childLeft = true;
  }
  if (childLeft) {
    event->ignore();
    return;
  }
  m_clock->stop();
  if (m_started) updateWindow(QStringLiteral("Main"), this, true);
  ErrorManager::instance().restoreProcedureName();
  m_closed = true;
  event->accept();
  emit closed();
}

}  // namespace jurnal
