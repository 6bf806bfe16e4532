// The main frame "Main": the multiple-document window with the menu that starts every other
// window, the background picture, and the status bar whose zones 3 and 4 show the day, date
// and clock once a second.
#pragma once

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMenu;
class QPrintDialog;
class QTimer;

namespace jurnal {

class MainFrame final : public QMainWindow {
  Q_OBJECT
 public:
  MainFrame();
  ~MainFrame() override;

  // The start pattern of the frame: procedure name, request taken over and cleared, window
  // opened, section "Main" restored, clock started.
  void start();
  QMdiArea* mdiArea() const { return m_area; }
  // Rewrites zones 3 and 4 from the current clock.
  void refreshStatus();

 signals:
  // The frame has closed for good: every child window is gone and section "Main" is saved.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void dispatch(const QString& procedure, int mode);
  void setSuspended(bool suspended);
  void fillWindowMenu();
  void arrangeIcons();
  void printerSetup();

  QMdiArea* m_area = nullptr;
  QLabel* m_zone2 = nullptr;
  QLabel* m_zone3 = nullptr;
  QLabel* m_zone4 = nullptr;
  QTimer* m_clock = nullptr;
  QMenu* m_windowMenu = nullptr;
  QList<QAction*> m_windowListActions;
  QList<QAction*> m_procedureActions;
  QPointer<QPrintDialog> m_printDialog;
  bool m_started = false;
  bool m_closed = false;
};

}  // namespace jurnal
