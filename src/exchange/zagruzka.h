// zagruzka, "Загрузка базы из текста": adds one contact per record of jurnal.txt under the
// progress window "Processing Records", on the frame's own thread. It only adds (BONUS is left
// alone). A missing or unreadable jurnal.txt gives the "File Access Error" text as a notice
// and adds nothing; adds that fail are counted and reported once at the end; Cancel keeps the
// contacts added so far.
#pragma once

#include <QPointer>
#include <memory>

#include "platform/procedure.h"
#include "platform/processmanager.h"
#include "platform/progresswindow.h"

namespace jurnal {

class ImportRun;

class Zagruzka final : public Procedure {
  Q_OBJECT

 public:
  explicit Zagruzka(ContextPtr context);
  ~Zagruzka() override;

  ProcessManager* processManager() const { return m_manager; }
  ProgressWindow* progressWindow() const { return m_window; }

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;
  bool queryClose() override;

 private:
  void runEnded(ProcessManager::Outcome outcome);

  std::unique_ptr<ImportRun> m_run;
  QPointer<ProcessManager> m_manager;
  QPointer<ProgressWindow> m_window;
  bool m_jurnalOpen = false;
};

}  // namespace jurnal
