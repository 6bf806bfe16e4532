// The report procedure: opens JURNAL on its thread, shows the progress window, walks the
// report's selection in timer-driven slices and, when the walk completes, hides the progress
// window and shows the print preview; the procedure ends when the preview closes. Cancel ends
// it at once without a preview; an empty selection gives the "No Records" notice.
#pragma once

#include <QPointer>
#include <memory>

#include "platform/procedure.h"
#include "platform/processmanager.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "reports/reportdefinition.h"

namespace jurnal {

class ReportRun;

class JournalReport final : public Procedure {
  Q_OBJECT

 public:
  JournalReport(ReportDefinition definition, ContextPtr context);
  ~JournalReport() override;

  const ReportDefinition& definition() const { return m_definition; }
  ProcessManager* processManager() const { return m_manager; }
  ProgressWindow* progressWindow() const { return m_window; }
  // The preview while it is shown, otherwise null.
  ReportPreview* preview() const { return m_preview; }

 signals:
  // The preview is up with the finished pages (tests and the frame may look at it).
  void previewShown(jurnal::ReportPreview* preview);

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;
  bool queryClose() override;

 private:
  void runEnded(ProcessManager::Outcome outcome);

  ReportDefinition m_definition;
  std::unique_ptr<ReportRun> m_run;
  QPointer<ProcessManager> m_manager;
  QPointer<ProgressWindow> m_window;
  QPointer<ReportPreview> m_preview;
  bool m_jurnalOpen = false;
};

}  // namespace jurnal
