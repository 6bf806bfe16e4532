// A report run: selection walk, progress basis, detail printing and the running points total.
#include "reports/reportrun.h"

#include <QString>

#include "core/filemanager.h"
#include "core/jurnalfile.h"
#include "core/jurnalscan.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/errormanager.h"

namespace jurnal {

namespace {

// The progress field of a contact: the key's field, texts upper-cased.
double numericProgress(JurKey key, const JurnalRecord& rec) {
  return key == JurKey::Band ? rec.band : static_cast<double>(rec.date);
}

std::string textProgress(JurKey key, const JurnalRecord& rec) {
  return upperCp1251(key == JurKey::Diplom ? fieldText(rec.diplom) : fieldText(rec.radio));
}

}  // namespace

ReportRun::ReportRun(const ReportDefinition& definition, ThreadFiles& files)
    : m_definition(definition),
      m_files(files),
      m_selection(definition.selection ? definition.selection() : JurSelection{definition.key, {}, {}, {}}),
      m_estimator(definition.estimator),
      m_engine(definition.layout) {
  m_engine.setHeaderValues([this](int page) {
    m_state.page = page;
    return m_definition.headerValues ? m_definition.headerValues(m_state) : QStringList();
  });
  m_engine.setFooterValues([this](int page) {
    m_state.page = page;
    return m_definition.footerValues ? m_definition.footerValues(m_state) : QStringList();
  });
}

ReportRun::~ReportRun() = default;

void ReportRun::attach(ProcessManager& manager) {
  manager.setSource(this);
  manager.setStep([this] { return step(); });
  manager.setPercentage([this] { return percentage(); });
}

bool ReportRun::rewind() {
  m_scan.reset();
  m_engine.discard();
  m_state = {};
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return false;
  const auto first = file->first(m_selection);
  const auto last = file->last(m_selection);
  if (m_definition.estimator == ProgressEstimator::Kind::Numeric) {
    // An empty selection: the lowest and highest values; nothing is estimated then anyway.
    m_estimator.setLimits(first ? numericProgress(m_selection.key, first->rec) : 0.0,
                          last ? numericProgress(m_selection.key, last->rec) : 0.0);
  } else {
    m_estimator.setLimits(first ? textProgress(m_selection.key, first->rec) : std::string(),
                          last ? textProgress(m_selection.key, last->rec) : std::string("\xFF"));
  }
  file->setQuickScan(true);  // block reading while the report walks the log
  m_scan = file->scan(m_selection);
  return m_scan != nullptr;
}

RecordSource::Read ReportRun::next() {
  JurnalFile* file = m_files.jurnalFile();
  if (!m_scan || !file) return Read::Error;
  const std::string errorBefore = file->lastReadError();
  JurnalRow row;
  if (m_scan->next(row)) {
    m_files.jurnal = row.rec;
    return Read::Record;
  }
  if (!file->isOpen() || file->lastReadError() != errorBefore) {
    ErrorManager::instance().notice(
        QStringLiteral("File Access Error"),
        QStringLiteral("Ошибка чтения файла Jurnal: %1").arg(QString::fromStdString(file->lastReadError())));
    return Read::Error;
  }
  return Read::End;
}

bool ReportRun::step() {
  const JurnalRecord& rec = m_files.jurnal;
  m_engine.printDetail(detailValues(rec));
  m_state.pointsTotal += rec.bonus;
  return true;
}

int ReportRun::percentage() const {
  const JurnalRecord& rec = m_files.jurnal;
  if (m_definition.estimator == ProgressEstimator::Kind::Numeric)
    return m_estimator.percentage(numericProgress(m_selection.key, rec));
  return m_estimator.percentage(textProgress(m_selection.key, rec));
}

void ReportRun::finish() { m_engine.endPage(); }

std::vector<ReportPage> ReportRun::takePages() {
  std::vector<ReportPage> pages = m_engine.pages();
  m_engine.discard();
  return pages;
}

HeadlessReport runReportHeadless(const ReportDefinition& definition, ThreadFiles& files) {
  HeadlessReport result;
  FileManager& jurnal = FileManager::jurnal();
  if (!jurnal.open(files)) {
    result.outcome = ProcessManager::Outcome::Failed;
    return result;
  }
  {
    ReportRun run(definition, files);
    ProcessManager manager;
    run.attach(manager);
    if (manager.start()) {
      while (manager.running()) manager.runSlice();
    }
    result.outcome = manager.outcome();
    result.records = manager.recordsProcessed();
    if (result.outcome == ProcessManager::Outcome::Completed) {
      run.finish();
      result.pages = run.takePages();
    }
  }
  jurnal.close(files);
  return result;
}

}  // namespace jurnal
