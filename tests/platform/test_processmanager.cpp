// Process manager: the records-per-cycle rule, the walk in slices (every record stepped once,
// in order), the percentage text, no records, Cancel, a failing step and a read error.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "platform/processmanager.h"
#include "platform/progresswindow.h"
#include "platform/recordsource.h"
#include "support/testsupport.h"

namespace jurnal {
namespace {

using Outcome = ProcessManager::Outcome;

TEST(ProcessManagerRule, RecordsPerCycleDoublesAndHalves) {
  const struct {
    int count;
    qint64 elapsed;
    bool goOn;
    int next;
  } cases[] = {
      {1, 0, true, 2},     {4, 39, true, 8},     {4, 49, true, 8},    // under 80 %, under half
      {4, 50, false, 8},   {8, 79, false, 16},                          // over half: slice ends
      {8, 80, false, 8},   {8, 150, false, 8},                          // neither doubles nor halves
      {8, 151, false, 4},  {1, 400, false, 1},                          // halves, never below 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " records in " << c.elapsed);
    const auto d = ProcessManager::afterCycle(c.count, c.elapsed, 100);
    EXPECT_EQ(d.continueSlice, c.goOn);
    EXPECT_EQ(d.recordsPerCycle, c.next);
  }
}

TEST(ProcessManagerRule, PercentOfCounts) {
  EXPECT_EQ(ProcessManager::percentOf(0, 10), 0);
  EXPECT_EQ(ProcessManager::percentOf(1, 3), 33);
  EXPECT_EQ(ProcessManager::percentOf(10, 10), 100);
  EXPECT_EQ(ProcessManager::percentOf(11, 10), 100);
  EXPECT_EQ(ProcessManager::percentOf(5, 0), 0);
}

// Records 1..n; reading record `failAt` fails. Each step costs `cost` hundredths on the clock.
class CountingSource : public RecordSource {
 public:
  explicit CountingSource(int n, int failAt = 0) : m_n(n), m_failAt(failAt) {}
  bool rewind() override {
    m_current = 0;
    ++rewinds;
    return true;
  }
  Read next() override {
    if (m_current == m_n) return Read::End;
    ++m_current;
    if (m_current == m_failAt) return Read::Error;
    return Read::Record;
  }
  int current() const { return m_current; }
  int rewinds = 0;

 private:
  int m_n;
  int m_failAt;
  int m_current = 0;
};

struct Walk {
  explicit Walk(int n, int failAt = 0) : source(n, failAt) {
    manager.setSource(&source);
    manager.setClock([this] { return clock; });
    manager.setStep([this] {
      stepped.push_back(source.current());
      clock += cost;
      return stepResult;
    });
    manager.setPercentage([this] { return ProcessManager::percentOf(source.current(), 100); });
    manager.setProgressWindow(&window);
  }
  CountingSource source;
  ProgressWindow window;
  ProcessManager manager;
  qint64 clock = 0;
  qint64 cost = 0;
  bool stepResult = true;
  std::vector<int> stepped;
};

Outcome runToEnd(Walk& w) {
  QSignalSpy spy(&w.manager, &ProcessManager::finished);
  if (w.manager.start()) {
    while (w.manager.running()) w.manager.runSlice();
  }
  EXPECT_TRUE(spy.wait(1000) || spy.count() == 1);
  EXPECT_EQ(spy.count(), 1);
  return spy.isEmpty() ? Outcome::Failed : spy.at(0).at(0).value<Outcome>();
}

TEST(ProcessManager, StepsEveryRecordOnceInOrderAndCompletes) {
  Walk w(100);
  w.cost = 1;
  EXPECT_TRUE(w.window.percentText().isEmpty());
  EXPECT_EQ(runToEnd(w), Outcome::Completed);
  ASSERT_EQ(w.stepped.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(w.stepped[i], i + 1);
  EXPECT_EQ(w.manager.recordsProcessed(), 100);
  EXPECT_EQ(w.window.percent(), 100);
  EXPECT_EQ(w.window.percentText(), QStringLiteral("100% Complete"));
}

TEST(ProcessManager, FirstSliceGrowsTheCountAndStopsAtHalfTheTimeSlice) {
  Walk w(100000);
  w.cost = 1;  // one hundredth per record
  ASSERT_TRUE(w.manager.start());
  w.manager.runSlice();
  // 1, 2, 4, ... records per cycle; at 32 records the count doubles to 64 and the slice goes on,
  // but it stops as soon as half the time slice has passed.
  EXPECT_EQ(w.stepped.size(), 50u);
  EXPECT_EQ(w.manager.recordsPerCycle(), 64);
  const std::size_t before = w.stepped.size();
  w.manager.runSlice();
  EXPECT_EQ(w.stepped.size() - before, 50u);  // never longer than half a time slice
  w.manager.cancel();
}

TEST(ProcessManager, FastRecordsFinishInOneSlice) {
  Walk w(1000);
  w.cost = 0;
  ASSERT_TRUE(w.manager.start());
  w.manager.runSlice();
  EXPECT_FALSE(w.manager.running());
  EXPECT_EQ(w.stepped.size(), 1000u);
}

TEST(ProcessManager, NoRecordsAndReadErrors) {
  {
    Walk w(0);
    EXPECT_EQ(runToEnd(w), Outcome::NoRecords);
    EXPECT_TRUE(w.stepped.empty());
    EXPECT_TRUE(w.window.percentText().isEmpty());
  }
  {
    Walk w(10, 4);
    EXPECT_EQ(runToEnd(w), Outcome::Failed);
    EXPECT_EQ(w.stepped, (std::vector<int>{1, 2, 3}));
  }
}

TEST(ProcessManager, CancelStopsReadingAtOnce) {
  Walk w(1000);
  w.cost = 1;
  QSignalSpy spy(&w.manager, &ProcessManager::finished);
  ASSERT_TRUE(w.manager.start());
  w.manager.runSlice();
  const std::size_t done = w.stepped.size();
  const int position = w.source.current();
  emit w.window.cancelRequested();  // the Cancel button, Escape or the window's close
  w.manager.runSlice();             // a timer event already queued does nothing
  EXPECT_EQ(w.stepped.size(), done);
  EXPECT_EQ(w.source.current(), position);
  ASSERT_TRUE(spy.wait(1000));
  EXPECT_EQ(spy.at(0).at(0).value<Outcome>(), Outcome::Cancelled);
  // Running again starts from the beginning.
  w.stepped.clear();
  EXPECT_EQ(runToEnd(w), Outcome::Completed);
  EXPECT_EQ(w.stepped.front(), 1);
  EXPECT_EQ(w.source.rewinds, 2);
}

TEST(ProcessManager, AStepThatFailsCancelsTheRun) {
  Walk w(10);
  w.stepResult = false;
  EXPECT_EQ(runToEnd(w), Outcome::Cancelled);
  EXPECT_EQ(w.stepped.size(), 1u);
}

TEST(ProcessManager, TimerDrivesTheWalkWhileEventsFlow) {
  Walk w(300);
  QElapsedTimer t;
  t.start();
  w.manager.setClock([&t] { return t.elapsed() / 10; });
  QSignalSpy spy(&w.manager, &ProcessManager::finished);
  ASSERT_TRUE(w.manager.start());
  ASSERT_TRUE(spy.wait(5000));
  EXPECT_EQ(spy.at(0).at(0).value<Outcome>(), Outcome::Completed);
  EXPECT_EQ(w.stepped.size(), 300u);
}

}  // namespace
}  // namespace jurnal
