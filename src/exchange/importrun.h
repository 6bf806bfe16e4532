// One run of the text import into a thread's JURNAL: jurnal.txt read record by record, each
// converted into a contact and added; the percentage by bytes read. Adds are committed in one
// transaction per time slice: the transaction is closed before the event loop hands any event
// to anyone, so the other windows never wait for the import's write lock. Failed adds are
// counted, never silent. Headless, into an empty log, the contacts may be loaded without the
// keys, built once at the end (a sort per key instead of a tree insert per contact and key);
// not under windows: the build is one long step, and a window opening the log meanwhile would
// find its keys missing and rebuild them under the load. zagruzka drives it under the progress window; jurnal-cli drives the
// same run without windows.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "core/textimport.h"
#include "platform/processmanager.h"
#include "platform/recordsource.h"

namespace jurnal {

class ThreadFiles;

class ImportRun final : public QObject, public RecordSource {
  Q_OBJECT

 public:
  // `files` must have JURNAL open for the run; `path` is the exchange file.
  ImportRun(ThreadFiles& files, std::string path, QObject* parent = nullptr);
  ~ImportRun() override;

  // Opens jurnal.txt for reading (false, with openError() set, when it is missing, not
  // readable or held by the export). rewind() opens it too when this was not called.
  bool openFile();

  // Gives the process manager this run's source, step and percentage.
  void attach(ProcessManager& manager);

  // RecordSource: each record of the file lands in the thread's TXT buffer.
  bool rewind() override;
  Read next() override;

  // Converts the current record and adds the contact. A failed add is counted and the run
  // goes on; false only when JURNAL is not open.
  bool step();
  int percentage() const;
  // Commits the adds made so far; those of a failed commit count as failed.
  void commit();
  // Load into an empty log without its keys and build them in finish(); set before the run.
  void setLoadWithoutKeys(bool on) { m_allowBulk = on; }
  // Commits, builds the keys after a load without them, and releases the file.
  void finish();
  // True while contacts are loaded into an empty log without its keys: finish() then builds
  // them, which takes a while for a large file.
  bool loadingWithoutKeys() const { return m_bulk; }

  // While on, any event the application is about to deliver first commits the open
  // transaction, i.e. each time slice ends with a commit.
  void setCommitBeforeEvents(bool on);

  std::uint64_t added() const { return m_added; }
  std::uint64_t failed() const { return m_failed; }
  // Line of jurnal.txt (from 1) on which the first contact that was not added begins.
  std::uint64_t firstFailedLine() const { return m_firstFailedLine; }
  const std::string& firstFailure() const { return m_firstFailure; }
  std::uint64_t records() const { return m_reader.records(); }
  // Why the keys could not be built after a load into an empty log; empty when they were.
  const std::string& keyError() const { return m_keyError; }
  int openError() const { return m_openError; }
  int readError() const { return m_reader.error(); }
  const std::string& path() const { return m_path; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void noteFailure(std::uint64_t count, std::uint64_t line, const std::string& text);

  ThreadFiles& m_files;
  std::string m_path;
  TextImport m_reader;
  bool m_filtering = false;
  int m_year = 2000;  // the current year, read once per run for the century window of dates
  bool m_allowBulk = false;
  bool m_bulk = false;
  int m_openError = 0;
  std::uint64_t m_added = 0;
  std::uint64_t m_pending = 0;             // added in the open transaction
  std::uint64_t m_pendingFirstLine = 0;    // line of the first of them
  std::uint64_t m_failed = 0;
  std::uint64_t m_firstFailedLine = 0;
  std::string m_firstFailure;
  std::string m_keyError;
};

struct ImportResult {
  ProcessManager::Outcome outcome = ProcessManager::Outcome::NoRecords;
  std::uint64_t added = 0;
  std::uint64_t failed = 0;
  std::uint64_t firstFailedLine = 0;
  std::string error;  // why the file could not be read, or the keys built; else empty
  std::string failures;  // the summary of the failed adds, else empty
};

// The summary of failed adds for the user (Russian): how many lines, the first of them and
// why; empty when every add succeeded.
std::string importFailureText(const ImportRun& run);

// The whole import without windows, in the same slices and with the same code as on screen,
// committing after every slice; into an empty log without the keys, built at the end. JURNAL
// is opened and closed through its file manager.
ImportResult runImportHeadless(ThreadFiles& files, const std::function<void(int)>& progress = {});

}  // namespace jurnal
