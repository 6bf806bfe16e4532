// The import procedure's steps around the process manager.
#include "exchange/zagruzka.h"

#include <QLabel>
#include <cerrno>
#include <cstring>

#include "core/errors.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "exchange/exportrun.h"
#include "exchange/importrun.h"
#include "platform/errormanager.h"
#include "platform/progresswindow.h"

namespace jurnal {

namespace {

// The storage engine's wording of an open failure, as the file managers' reports use it.
std::string openErrorText(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
      return "File Not Found";
    case EACCES:
    case EPERM:
      return "Access Denied";
    case EWOULDBLOCK:
      return "File In Use";
    default:
      return std::strerror(e);
  }
}

}  // namespace

Zagruzka::Zagruzka(ContextPtr context) : Procedure(QStringLiteral("zagruzka"), std::move(context)) {
  setPlacement(Placement::TopLevel);
  setCentered(true);
  setCloseBox(false);
  setResizable(false);
  setCloseResponse(Response::Cancelled);
}

Zagruzka::~Zagruzka() = default;

bool Zagruzka::openFiles() {
  // jurnal.txt first: without it the run ends here with a notice and the program goes on.
  m_run = std::make_unique<ImportRun>(context().files(), exchangeFilePath());
  if (!m_run->openFile()) {
    ErrorReport report = makeErrorReport(ErrorCode::FileAccessError, "jurnal.txt", openErrorText(m_run->openError()));
    report.level = ErrorLevel::Notice;
    ErrorManager::instance().report(report);
    m_run.reset();
    return false;
  }
  m_jurnalOpen = FileManager::jurnal().open(context().files());
  return m_jurnalOpen;
}

void Zagruzka::closeFiles() {
  // What was added so far stays, committed, whole contacts only.
  if (m_manager) m_manager->cancel();
  if (m_run) {
    m_run->setCommitBeforeEvents(false);
    m_run->finish();
  }
  m_run.reset();
  if (m_jurnalOpen) FileManager::jurnal().close(context().files());
  m_jurnalOpen = false;
}

QWidget* Zagruzka::createWindow() {
  ProgressWindow::Texts texts;
  texts.caption = QStringLiteral("Processing Records");
  m_window = new ProgressWindow(texts);
  m_window->setUserString(QString());
  if (auto* pct = m_window->findChild<QLabel*>(QStringLiteral("PROGRESS:PCTTEXT")))
    pct->setText(QStringLiteral("0% Completed"));
  return m_window;
}

void Zagruzka::windowOpened() {
  m_manager = new ProcessManager(this);
  m_run->attach(*m_manager);
  m_run->setCommitBeforeEvents(true);
  m_manager->setProgressWindow(m_window);
  connect(m_manager, &ProcessManager::finished, this, &Zagruzka::runEnded);
  m_manager->start();
}

bool Zagruzka::queryClose() {
  if (m_manager && m_manager->running()) {
    m_manager->cancel();
    return false;
  }
  return true;
}

void Zagruzka::runEnded(ProcessManager::Outcome outcome) {
  if (!isRunning() || !m_run) return;
  m_run->setCommitBeforeEvents(false);
  m_run->finish();
  if (m_window) m_window->hide();
  ErrorManager& errors = ErrorManager::instance();
  if (outcome == ProcessManager::Outcome::NoRecords) {
    const ErrorReport report = makeErrorReport(ErrorCode::NoRecords);
    errors.notice(QString::fromStdString(report.title), QString::fromStdString(report.text));
  } else if (outcome == ProcessManager::Outcome::Failed) {
    errors.notice(QStringLiteral("File Access Error"),
                  QStringLiteral("Ошибка чтения файла jurnal.txt: %1")
                      .arg(QString::fromStdString(exchangeErrorReason(m_run->readError()))));
  }
  if (m_run->failed() > 0)
    errors.notice(QStringLiteral("Загрузка базы из текста"), QString::fromStdString(importFailureText(*m_run)));
  finish(outcome == ProcessManager::Outcome::Completed ? Response::Completed : Response::Cancelled);
}

}  // namespace jurnal
