// Vyvod, "Выгрузить базу  в текст": writes the whole log to jurnal.txt in date order under
// the progress window "Processing Records", on a logical thread of its own. The file is taken
// exclusively and emptied once per run; Cancel leaves whole lines only. A file that cannot be
// taken (another program holds it) or written is reported and the run ends as cancelled.
#pragma once

#include <QPointer>
#include <memory>

#include "platform/procedure.h"
#include "platform/processmanager.h"
#include "platform/progresswindow.h"

namespace jurnal {

class ExportRun;

class Vyvod final : public Procedure {
  Q_OBJECT

 public:
  explicit Vyvod(ContextPtr context);
  ~Vyvod() override;

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

  std::unique_ptr<ExportRun> m_run;
  QPointer<ProcessManager> m_manager;
  QPointer<ProgressWindow> m_window;
  bool m_jurnalOpen = false;
};

}  // namespace jurnal
