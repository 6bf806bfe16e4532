// The export procedure's steps around the process manager.
#include "exchange/vyvod.h"

#include <QLabel>

#include "core/errors.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "exchange/exportrun.h"
#include "platform/errormanager.h"
#include "platform/progresswindow.h"

namespace jurnal {

namespace {
const QString kTitle = QStringLiteral("Выгрузка базы в текст");
}

Vyvod::Vyvod(ContextPtr context) : Procedure(QStringLiteral("Vyvod"), std::move(context)) {
  setPlacement(Placement::TopLevel);
  setCentered(true);
  setCloseBox(false);
  setResizable(false);
  setCloseResponse(Response::Cancelled);
}

Vyvod::~Vyvod() = default;

bool Vyvod::openFiles() {
  m_jurnalOpen = FileManager::jurnal().open(context().files());
  return m_jurnalOpen;
}

void Vyvod::closeFiles() {
  // The walk must not outlive the open file it reads; the lines buffered so far are written.
  if (m_manager) m_manager->cancel();
  if (m_run) m_run->finish();
  m_run.reset();
  if (m_jurnalOpen) FileManager::jurnal().close(context().files());
  m_jurnalOpen = false;
}

QWidget* Vyvod::createWindow() {
  ProgressWindow::Texts texts;
  texts.caption = QStringLiteral("Processing Records");
  m_window = new ProgressWindow(texts);
  m_window->setUserString(QString());
  if (auto* pct = m_window->findChild<QLabel*>(QStringLiteral("PROGRESS:PCTTEXT")))
    pct->setText(QStringLiteral("0% Completed"));
  return m_window;
}

void Vyvod::windowOpened() {
  m_run = std::make_unique<ExportRun>(context().files(), exchangeFilePath());
  m_manager = new ProcessManager(this);
  m_run->attach(*m_manager);
  m_manager->setProgressWindow(m_window);
  connect(m_manager, &ProcessManager::finished, this, &Vyvod::runEnded);
  m_manager->start();
}

bool Vyvod::queryClose() {
  // Closing the progress window while the walk runs is a Cancel; the run then ends itself.
  if (m_manager && m_manager->running()) {
    m_manager->cancel();
    return false;
  }
  return true;
}

void Vyvod::runEnded(ProcessManager::Outcome outcome) {
  if (!isRunning() || !m_run) return;
  const bool written = m_run->finish();
  if (m_window) m_window->hide();
  const QString file = QStringLiteral("jurnal.txt");
  ErrorManager& errors = ErrorManager::instance();
  if (m_run->openError()) {
    errors.notice(kTitle, QStringLiteral("Файл %1 не удалось открыть для записи: %2.  Выгрузка отменена, файл не изменён.")
                              .arg(file, QString::fromStdString(exchangeErrorReason(m_run->openError()))));
  } else if (!written) {
    errors.notice(kTitle, QStringLiteral("Ошибка записи в файл %1: %2.  В файле только целые строки: %3.")
                              .arg(file, QString::fromStdString(exchangeErrorReason(m_run->writeError())))
                              .arg(m_run->linesWritten()));
  } else if (outcome == ProcessManager::Outcome::NoRecords) {
    const ErrorReport report = makeErrorReport(ErrorCode::NoRecords);
    errors.notice(QString::fromStdString(report.title), QString::fromStdString(report.text));
  } else if (outcome == ProcessManager::Outcome::Failed) {
    errors.notice(QStringLiteral("File Access Error"),
                  QStringLiteral("Ошибка чтения файла Jurnal: %1").arg(QString::fromStdString(m_run->readError())));
  }
  finish(written && outcome == ProcessManager::Outcome::Completed ? Response::Completed : Response::Cancelled);
}

}  // namespace jurnal
