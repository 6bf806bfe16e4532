// One run of a journal report over a thread's JURNAL: the selection walked in key order, the
// progress percentage of the current contact, the detail band printed per contact and the
// pages that result. The procedure drives it under a progress window; jurnal-cli and the
// tests drive the same run without windows.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/processmanager.h"
#include "platform/progressestimator.h"
#include "platform/recordsource.h"
#include "platform/reportengine.h"
#include "reports/reportdefinition.h"

namespace jurnal {

class JurnalScan;
class ThreadFiles;

class ReportRun final : public RecordSource {
 public:
  // Takes the selection from the globals now. `files` must have JURNAL open for the run.
  ReportRun(const ReportDefinition& definition, ThreadFiles& files);
  ~ReportRun() override;

  // Gives the process manager this run's source, step and percentage.
  void attach(ProcessManager& manager);

  // RecordSource: sets the estimator's limits from the first and last contact of the
  // selection and walks it, each contact landing in the thread's JURNAL buffer.
  bool rewind() override;
  Read next() override;

  // Prints the detail band of the current contact.
  bool step();
  int percentage() const;
  // Ends the last page; then the pages are complete.
  void finish();
  void discard() { m_engine.discard(); }

  const JurSelection& selection() const { return m_selection; }
  const ReportEngine& engine() const { return m_engine; }
  std::vector<ReportPage> takePages();
  double pointsTotal() const { return m_state.pointsTotal; }

 private:
  const ReportDefinition& m_definition;
  ThreadFiles& m_files;
  JurSelection m_selection;
  ProgressEstimator m_estimator;
  ReportEngine m_engine;
  ReportBandState m_state;
  std::unique_ptr<JurnalScan> m_scan;
};

struct HeadlessReport {
  ProcessManager::Outcome outcome = ProcessManager::Outcome::NoRecords;
  std::vector<ReportPage> pages;
  qint64 records = 0;
};

// Runs a report to its pages without any window, in the same slices and with the same code
// as on screen. JURNAL is opened and closed for the run through its file manager.
HeadlessReport runReportHeadless(const ReportDefinition& definition, ThreadFiles& files);

}  // namespace jurnal
