// The process manager: walks a record source in time slices driven by a timer, calls a step
// for every record, keeps a progress window's thermometer and percentage text up to date and
// stops at once on Cancel. Used by the reports and by the text export and import.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace jurnal {

class ProgressWindow;
class RecordSource;

class ProcessManager : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    Completed,  // the end of the walk was reached after at least one record
    NoRecords,  // the walk had no record at all
    Cancelled,  // Cancel, or the step asked to stop
    Failed,     // a read error or a source that could not be started
  };
  Q_ENUM(Outcome)

  // What the slice loop does after a cycle of records-per-cycle records took `elapsed`
  // hundredths of a second counted from the start of the slice.
  struct CycleDecision {
    bool continueSlice;
    int recordsPerCycle;
  };
  // The adaptation rule: double the count while the slice stays under 80 % of the time
  // slice; go on while under half of it; otherwise end the slice and, when it overran one and
  // a half time slices, halve the count (never below 1).
  static CycleDecision afterCycle(int recordsPerCycle, qint64 elapsed, int timeSlice);

  // Percentage of done/total, truncated, 0 when total is not positive, capped at 100.
  static int percentOf(qint64 done, qint64 total);

  explicit ProcessManager(QObject* parent = nullptr);
  ~ProcessManager() override;

  // The records to walk; not owned, must outlive the run.
  void setSource(RecordSource* source) { m_source = source; }
  // Called for every record the source delivers, with that record current. Returning false
  // stops the run as cancelled.
  void setStep(std::function<bool()> step) { m_step = std::move(step); }
  // Percentage of the current record (from an estimator, a record count or a byte count);
  // called after every record read. Results are capped to 0..100. Without it the thermometer
  // stays at 0.
  void setPercentage(std::function<int()> percentage) { m_percentage = std::move(percentage); }
  // The window whose thermometer and percentage text show the progress and whose Cancel
  // button cancels; optional, not owned.
  void setProgressWindow(ProgressWindow* window);

  // Time slice in hundredths of a second (100 unless a caller changes it).
  void setTimeSlice(int hundredths) { m_timeSlice = hundredths; }
  int timeSlice() const { return m_timeSlice; }
  // Interval of the driving timer in milliseconds (10).
  void setTimerInterval(int ms) { m_timer.setInterval(ms); }
  // The clock in hundredths of a second (a monotonic clock unless a test injects one).
  void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

  // Resets the counts, rewinds the source and reads the first record. When there is one the
  // timer starts and true is returned; otherwise finished(NoRecords or Failed) is posted and
  // false is returned.
  bool start();
  // Cancels the run: no further record is read; finished(Cancelled) is posted.
  void cancel();

  bool running() const { return m_running; }
  // How the last run ended (valid once running() is false after a start).
  Outcome outcome() const { return m_outcome; }
  qint64 recordsProcessed() const { return m_processed; }
  int recordsPerCycle() const { return m_recordsPerCycle; }
  int thermometer() const { return m_thermometer; }

 public slots:
  // One processing slice; the timer calls it, tests may call it directly.
  void runSlice();

 signals:
  // Posted (queued) once per run when it ends, whatever the reason.
  void finished(jurnal::ProcessManager::Outcome outcome);
  // The thermometer value changed (0..100).
  void progressChanged(int percent);

 private:
  enum class ReadResult { Record, End, Error };
  ReadResult readNext();
  void finish(Outcome outcome);
  qint64 now() const;

  RecordSource* m_source = nullptr;
  std::function<bool()> m_step;
  std::function<int()> m_percentage;
  std::function<qint64()> m_clock;
  QPointer<ProgressWindow> m_window;
  QTimer m_timer;
  int m_timeSlice = 100;
  int m_recordsPerCycle = 1;
  qint64 m_processed = 0;
  int m_thermometer = 0;
  bool m_running = false;
  Outcome m_outcome = Outcome::NoRecords;
};

}  // namespace jurnal
