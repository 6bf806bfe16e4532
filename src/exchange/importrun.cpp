// The import run: the reader over jurnal.txt, conversion, adds in transactions per slice.
#include "exchange/importrun.h"

#include <QCoreApplication>

#include "core/filemanager.h"
#include "core/jurnalfile.h"
#include "core/threadfiles.h"
#include "exchange/exportrun.h"

namespace jurnal {

ImportRun::ImportRun(ThreadFiles& files, std::string path, QObject* parent)
    : QObject(parent), m_files(files), m_path(std::move(path)) {}

ImportRun::~ImportRun() {
  setCommitBeforeEvents(false);
  finish();
}

bool ImportRun::openFile() {
  m_openError = 0;
  if (m_reader.open(m_path)) return true;
  m_openError = m_reader.error();
  return false;
}

void ImportRun::attach(ProcessManager& manager) {
  manager.setSource(this);
  manager.setStep([this] { return step(); });
  manager.setPercentage([this] { return percentage(); });
}

bool ImportRun::rewind() {
  commit();
  // Opened already and not yet read: keep it, so the export cannot take it in between.
  if (!(m_reader.isOpen() && m_reader.position() == 0) && !openFile()) return false;
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return false;
  m_year = currentYear();
  if (m_allowBulk && !m_bulk) m_bulk = file->beginBulkLoad();
  return true;
}

RecordSource::Read ImportRun::next() {
  if (m_reader.next(m_files.txt)) return Read::Record;
  return m_reader.error() ? Read::Error : Read::End;
}

bool ImportRun::step() {
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return false;
  m_files.jurnal = txtToJurnal(m_files.txt, m_year);
  const std::uint64_t line = m_reader.recordLine();
  if (!file->inTransaction()) {
    if (const Status s = file->begin(); !s) {
      // Without a transaction the add still goes in on its own.
      noteFailure(0, 0, s.text);
    }
  }
  if (const Status s = file->insert(m_files.jurnal); !s) {
    noteFailure(1, line, s.text);
    return true;
  }
  if (file->inTransaction()) {
    if (m_pending++ == 0) m_pendingFirstLine = line;
  } else {
    ++m_added;
  }
  return true;
}

int ImportRun::percentage() const {
  return ProcessManager::percentOf(static_cast<qint64>(m_reader.position()), static_cast<qint64>(m_reader.size()));
}

void ImportRun::commit() {
  JurnalFile* file = m_files.jurnalFile();
  if (!file || !file->inTransaction()) {
    m_added += m_pending;
    m_pending = 0;
    return;
  }
  if (const Status s = file->commit(); !s) {
    noteFailure(m_pending, m_pendingFirstLine, s.text);
  } else {
    m_added += m_pending;
  }
  m_pending = 0;
}

void ImportRun::finish() {
  commit();
  m_reader.close();
  if (!m_bulk) return;
  m_bulk = false;
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return;
  // The contacts are in; a failure here leaves them without keys, which the next opening of
  // the log reports and rebuilds.
  if (const Status s = file->endBulkLoad(); !s) m_keyError = s.text;
}

void ImportRun::noteFailure(std::uint64_t count, std::uint64_t line, const std::string& text) {
  if (count == 0) {
    if (m_firstFailure.empty()) m_firstFailure = text;
    return;
  }
  if (m_failed == 0 || line < m_firstFailedLine) m_firstFailedLine = line;
  if (m_failed == 0) m_firstFailure = text;
  m_failed += count;
}

void ImportRun::setCommitBeforeEvents(bool on) {
  if (on == m_filtering || !QCoreApplication::instance()) return;
  m_filtering = on;
  if (on)
    QCoreApplication::instance()->installEventFilter(this);
  else
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ImportRun::eventFilter(QObject* watched, QEvent* event) {
  if (m_pending > 0) commit();
  return QObject::eventFilter(watched, event);
}

std::string importFailureText(const ImportRun& run) {
  if (run.failed() == 0) return {};
  std::string text = "Не добавлено записей: " + std::to_string(run.failed()) + " (первая — строка " +
                     std::to_string(run.firstFailedLine()) + " файла jurnal.txt).";
  if (!run.firstFailure().empty()) text += "  Ошибка: " + run.firstFailure() + ".";
  text += "  Остальные записи добавлены.";
  return text;
}

ImportResult runImportHeadless(ThreadFiles& files, const std::function<void(int)>& progress) {
  ImportResult result;
  ImportRun run(files, exchangeFilePath());
  // The file is checked before anything is opened: without it nothing is added.
  if (!run.openFile()) {
    result.outcome = ProcessManager::Outcome::Failed;
    result.error = "файл jurnal.txt не открыт: " + exchangeErrorReason(run.openError());
    return result;
  }
  FileManager& jurnal = FileManager::jurnal();
  if (!jurnal.open(files)) {
    result.outcome = ProcessManager::Outcome::Failed;
    result.error = "не удалось открыть файл Jurnal";
    return result;
  }
  {
    ProcessManager manager;
    run.attach(manager);
    run.setLoadWithoutKeys(true);
    if (progress) QObject::connect(&manager, &ProcessManager::progressChanged, progress);
    if (manager.start()) {
      while (manager.running()) {
        manager.runSlice();
        run.commit();
      }
    }
    run.finish();
    result.outcome = manager.outcome();
    result.added = run.added();
    result.failed = run.failed();
    result.firstFailedLine = run.firstFailedLine();
    result.failures = importFailureText(run);
    if (result.outcome == ProcessManager::Outcome::Failed)
      result.error = "ошибка чтения файла jurnal.txt: " + exchangeErrorReason(run.readError());
    else if (!run.keyError().empty())
      result.error = "ключи файла Jurnal не построены: " + run.keyError();
  }
  jurnal.close(files);
  return result;
}

}  // namespace jurnal
