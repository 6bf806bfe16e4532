// The process manager's walk. Work happens only inside timer events, so the windows stay
// responsive between slices; a slice also stops at half the time slice even in the middle
// of a cycle, so that Cancel is answered within about half a second however long one cycle
// of records would take.
#include "platform/processmanager.h"

#include <QElapsedTimer>
#include <algorithm>

#include "platform/progresswindow.h"
#include "platform/recordsource.h"

namespace jurnal {

namespace {
// Beyond this the count can no longer double without overflow; no slice needs more.
constexpr int kMaxRecordsPerCycle = 1 << 24;
}  // namespace

ProcessManager::CycleDecision ProcessManager::afterCycle(int recordsPerCycle, qint64 elapsed,
                                                         int timeSlice) {
  int count = recordsPerCycle;
  if (elapsed * 5 < qint64(timeSlice) * 4 && count < kMaxRecordsPerCycle) count *= 2;
  if (elapsed * 2 < timeSlice) return {true, count};
  if (elapsed * 2 > qint64(timeSlice) * 3 && count > 1) count /= 2;
  return {false, count};
}

int ProcessManager::percentOf(qint64 done, qint64 total) {
  if (total <= 0 || done <= 0) return 0;
  return static_cast<int>(std::min<qint64>(100, done * 100 / total));
}

ProcessManager::ProcessManager(QObject* parent) : QObject(parent) {
  m_timer.setInterval(10);
  connect(&m_timer, &QTimer::timeout, this, &ProcessManager::runSlice);
  static QElapsedTimer monotonic;
  if (!monotonic.isValid()) monotonic.start();
  m_clock = [] { return monotonic.elapsed() / 10; };
}

ProcessManager::~ProcessManager() = default;

void ProcessManager::setProgressWindow(ProgressWindow* window) {
  if (m_window) disconnect(m_window, nullptr, this, nullptr);
  m_window = window;
  if (window) connect(window, &ProgressWindow::cancelRequested, this, &ProcessManager::cancel);
}

qint64 ProcessManager::now() const { return m_clock(); }

bool ProcessManager::start() {
  m_processed = 0;
  m_recordsPerCycle = 1;
  m_thermometer = 0;
  if (m_window) m_window->resetProgress();
  m_running = true;
  if (!m_source || !m_source->rewind()) {
    finish(Outcome::Failed);
    return false;
  }
  switch (readNext()) {
    case ReadResult::Record:
      m_timer.start();
      return true;
    case ReadResult::End:
      finish(Outcome::NoRecords);
      return false;
    case ReadResult::Error:
      finish(Outcome::Failed);
      return false;
  }
  return false;
}

void ProcessManager::cancel() {
  if (m_running) finish(Outcome::Cancelled);
}

ProcessManager::ReadResult ProcessManager::readNext() {
  switch (m_source->next()) {
    case RecordSource::Read::End:
      return ReadResult::End;
    case RecordSource::Read::Error:
      return ReadResult::Error;
    case RecordSource::Read::Record:
      break;
  }
  ++m_processed;
  if (m_percentage) {
    const int percent = std::clamp(m_percentage(), 0, 100);
    if (percent != m_thermometer || m_processed == 1) {
      m_thermometer = percent;
      if (m_window) m_window->setPercent(percent);
      emit progressChanged(percent);
    }
  }
  return ReadResult::Record;
}

void ProcessManager::runSlice() {
  if (!m_running) {
    m_timer.stop();
    return;
  }
  const qint64 sliceStart = now();
  const qint64 deadline = m_timeSlice / 2;
  qint64 doneInSlice = 0;
  for (;;) {
    while (doneInSlice < m_recordsPerCycle) {
      if (m_step && !m_step()) {
        finish(Outcome::Cancelled);
        return;
      }
      ++doneInSlice;
      const ReadResult read = readNext();
      if (read == ReadResult::End) {
        finish(Outcome::Completed);
        return;
      }
      if (read == ReadResult::Error) {
        finish(Outcome::Failed);
        return;
      }
      // The step may have cancelled the run (a message box, a window closed meanwhile).
      if (!m_running) return;
      if (now() - sliceStart >= deadline && doneInSlice < m_recordsPerCycle) return;
    }
    const CycleDecision decision = afterCycle(m_recordsPerCycle, now() - sliceStart, m_timeSlice);
    m_recordsPerCycle = decision.recordsPerCycle;
    if (!decision.continueSlice) return;
  }
}

void ProcessManager::finish(Outcome outcome) {
  if (!m_running) return;
  m_running = false;
  m_outcome = outcome;
  m_timer.stop();
  QMetaObject::invokeMethod(this, [this, outcome] { emit finished(outcome); }, Qt::QueuedConnection);
}

}  // namespace jurnal
