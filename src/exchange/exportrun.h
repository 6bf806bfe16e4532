// One run of the text export over a thread's JURNAL: the log walked in date order (JUR:INDEX),
// one line of jurnal.txt written per contact, the percentage estimated on JUR:DATE between the
// first and the last date of the log. Vyvod drives it under the progress window; jurnal-cli
// drives the same run without windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/textexport.h"
#include "platform/processmanager.h"
#include "platform/progressestimator.h"
#include "platform/recordsource.h"

namespace jurnal {

class JurnalScan;
class ThreadFiles;

class ExportRun final : public RecordSource {
 public:
  // `files` must have JURNAL open for the run; `path` is the exchange file.
  ExportRun(ThreadFiles& files, std::string path);
  ~ExportRun() override;

  // Gives the process manager this run's source, step and percentage.
  void attach(ProcessManager& manager);

  // RecordSource: takes jurnal.txt exclusively and empties it (false, with openError() set,
  // when another program holds it: then nothing is written), sets the estimator's limits and
  // starts the walk; each contact lands in the thread's JURNAL buffer.
  bool rewind() override;
  Read next() override;

  // Writes the line of the current contact; false stops the run (writeError() says why).
  bool step();
  int percentage() const;
  // Writes what is buffered and releases the file; false when the last lines failed.
  bool finish();

  std::uint64_t linesWritten() const { return m_writer.linesWritten(); }
  int openError() const { return m_openError; }
  int writeError() const { return m_writeError; }
  const std::string& readError() const { return m_readError; }
  const std::string& path() const { return m_path; }

 private:
  ThreadFiles& m_files;
  std::string m_path;
  TextExport m_writer;
  ProgressEstimator m_estimator{ProgressEstimator::Kind::Numeric};
  std::unique_ptr<JurnalScan> m_scan;
  int m_openError = 0;
  int m_writeError = 0;
  std::string m_readError;
};

// The path of the exchange file in the folder of the log's files.
std::string exchangeFilePath();

// Why jurnal.txt could not be opened, read or written, for the user (Russian).
std::string exchangeErrorReason(int errnoValue);

struct ExportResult {
  ProcessManager::Outcome outcome = ProcessManager::Outcome::NoRecords;
  std::uint64_t lines = 0;
  std::string error;  // empty when the run succeeded or there was no contact
};

// The whole export without windows, in the same slices and with the same code as on screen.
// JURNAL is opened and closed through its file manager; jurnal.txt is created by the run. `progress` hears each
// new percentage.
ExportResult runExportHeadless(ThreadFiles& files, const std::function<void(int)>& progress = {});

}  // namespace jurnal
