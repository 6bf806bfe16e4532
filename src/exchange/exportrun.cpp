// The export run: exclusive open, walk in date order, one line per contact.
#include "exchange/exportrun.h"

#include <cerrno>
#include <cstring>

#include "core/filemanager.h"
#include "core/jurnalfile.h"
#include "core/jurnalscan.h"
#include "core/threadfiles.h"

namespace jurnal {

std::string exchangeFilePath() {
  std::string folder = FileManager::folder();
  if (folder.empty()) return "jurnal.txt";
  if (folder.back() != '/') folder += '/';
  return folder + "jurnal.txt";
}

std::string exchangeErrorReason(int e) {
  switch (e) {
    case EWOULDBLOCK:
      return "файл занят другой программой";
    case ENOENT:
    case ENOTDIR:
      return "файл не найден";
    case EACCES:
    case EPERM:
    case EROFS:
      return "нет доступа к файлу";
    case ENOSPC:
    case EDQUOT:
      return "нет места на диске";
    case EFBIG:
      return "превышен допустимый размер файла";
    case EISDIR:
      return "это папка, а не файл";
    default:
      return std::strerror(e);
  }
}

ExportRun::ExportRun(ThreadFiles& files, std::string path) : m_files(files), m_path(std::move(path)) {}

ExportRun::~ExportRun() = default;

void ExportRun::attach(ProcessManager& manager) {
  manager.setSource(this);
  manager.setStep([this] { return step(); });
  manager.setPercentage([this] { return percentage(); });
}

bool ExportRun::rewind() {
  m_scan.reset();
  m_openError = m_writeError = 0;
  m_readError.clear();
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return false;
  // The file is emptied once per run, before the first line, even when the log is empty.
  if (!m_writer.open(m_path)) {
    m_openError = m_writer.error();
    return false;
  }
  const JurSelection all{JurKey::Index, {}, {}, {}};
  const auto first = file->first(all);
  const auto last = file->last(all);
  m_estimator.setLimits(first ? static_cast<double>(first->rec.date) : 0.0,
                        last ? static_cast<double>(last->rec.date) : 0.0);
  file->setQuickScan(true);  // block reading while the whole log is walked
  m_scan = file->scan(all);
  return m_scan != nullptr;
}

RecordSource::Read ExportRun::next() {
  JurnalFile* file = m_files.jurnalFile();
  if (!m_scan || !file) return Read::Error;
  const std::string errorBefore = file->lastReadError();
  JurnalRow row;
  if (m_scan->next(row)) {
    m_files.jurnal = row.rec;
    return Read::Record;
  }
  if (!file->isOpen() || file->lastReadError() != errorBefore) {
    m_readError = file->lastReadError();
    return Read::Error;
  }
  return Read::End;
}

bool ExportRun::step() {
  if (m_writer.write(m_files.jurnal)) return true;
  m_writeError = m_writer.error();
  return false;
}

int ExportRun::percentage() const { return m_estimator.percentage(static_cast<double>(m_files.jurnal.date)); }

bool ExportRun::finish() {
  m_scan.reset();
  if (!m_writer.isOpen()) return m_writeError == 0;
  if (!m_writer.close() && m_writeError == 0) m_writeError = m_writer.error();
  return m_writeError == 0;
}

ExportResult runExportHeadless(ThreadFiles& files, const std::function<void(int)>& progress) {
  ExportResult result;
  FileManager& jurnal = FileManager::jurnal();
  if (!jurnal.open(files)) {
    result.outcome = ProcessManager::Outcome::Failed;
    result.error = "не удалось открыть файл Jurnal";
    return result;
  }
  {
    ExportRun run(files, exchangeFilePath());
    ProcessManager manager;
    run.attach(manager);
    if (progress) QObject::connect(&manager, &ProcessManager::progressChanged, progress);
    if (manager.start()) {
      while (manager.running()) manager.runSlice();
    }
    const bool written = run.finish();
    result.outcome = manager.outcome();
    result.lines = run.linesWritten();
    if (run.openError()) {
      result.error = "файл jurnal.txt не открыт для записи: " + exchangeErrorReason(run.openError());
    } else if (!written) {
      result.outcome = ProcessManager::Outcome::Failed;
      result.error = "ошибка записи в jurnal.txt: " + exchangeErrorReason(run.writeError());
    } else if (result.outcome == ProcessManager::Outcome::Failed) {
      result.error = "ошибка чтения файла Jurnal: " + run.readError();
    }
  }
  jurnal.close(files);
  return result;
}

}  // namespace jurnal
