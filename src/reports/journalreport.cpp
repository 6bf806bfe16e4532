// The report procedure's steps around the process manager and the print preview.
#include "reports/journalreport.h"

#include "core/errors.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "platform/errormanager.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "reports/reportrun.h"

namespace jurnal {

JournalReport::JournalReport(ReportDefinition definition, ContextPtr context)
    : Procedure(definition.name, std::move(context)), m_definition(std::move(definition)) {
  setPlacement(Placement::TopLevel);
  setCentered(true);
  setCloseBox(false);
  setResizable(false);
  setCloseResponse(Response::Cancelled);
}

JournalReport::~JournalReport() {
  if (m_preview) m_preview->deleteLater();
}

bool JournalReport::openFiles() {
  m_jurnalOpen = FileManager::jurnal().open(context().files());
  return m_jurnalOpen;
}

void JournalReport::closeFiles() {
  // The walk must not outlive the open file it reads.
  if (m_manager) m_manager->cancel();
  m_run.reset();
  if (m_jurnalOpen) FileManager::jurnal().close(context().files());
  m_jurnalOpen = false;
}

QWidget* JournalReport::createWindow() {
  m_window = new ProgressWindow(m_definition.texts);
  m_window->setUserString(QString());
  return m_window;
}

void JournalReport::windowOpened() {
  m_run = std::make_unique<ReportRun>(m_definition, context().files());
  m_manager = new ProcessManager(this);
  m_run->attach(*m_manager);
  m_manager->setProgressWindow(m_window);
  connect(m_manager, &ProcessManager::finished, this, &JournalReport::runEnded);
  m_manager->start();
}

bool JournalReport::queryClose() {
  // Closing the progress window while the walk runs is a Cancel; the run then ends itself.
  if (m_manager && m_manager->running()) {
    m_manager->cancel();
    return false;
  }
  return !m_preview;
}

void JournalReport::runEnded(ProcessManager::Outcome outcome) {
  if (!isRunning()) return;
  if (m_window) m_window->hide();
  switch (outcome) {
    case ProcessManager::Outcome::Completed: {
      m_run->finish();
      m_preview = new ReportPreview(m_run->takePages(), m_definition.name);
      connect(m_preview, &ReportPreview::closed, this, [this](bool) {
        if (m_preview) m_preview->deleteLater();
        m_preview = nullptr;
        finish(Response::Completed);
      });
      m_preview->open();
      emit previewShown(m_preview);
      return;
    }
    case ProcessManager::Outcome::NoRecords: {
      const ErrorReport report = makeErrorReport(ErrorCode::NoRecords);
      ErrorManager::instance().notice(QString::fromStdString(report.title), QString::fromStdString(report.text));
      break;
    }
    case ProcessManager::Outcome::Cancelled:
    case ProcessManager::Outcome::Failed:
      if (m_run) m_run->discard();
      break;
  }
  finish(Response::Cancelled);
}

}  // namespace jurnal
