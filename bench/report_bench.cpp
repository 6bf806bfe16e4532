// Report benchmarks over a generated log of 10 000 contacts: the walk that lays out the
// frequency report's pages (the work done under the progress window), the longest single
// time slice of that walk (how long Cancel may wait), and rendering the pages to PDF.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>

#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/generator.h"
#include "core/jurnalfile.h"
#include "core/threadfiles.h"
#include "platform/errormanager.h"
#include "platform/runtime.h"
#include "reports/journalreport.h"
#include "reports/reportprocedures.h"
#include "reports/reportrun.h"

namespace {

using namespace jurnal;

constexpr int kContacts = 10000;

// A folder with a log of kContacts generated contacts, made once.
QString logFolder() {
  static QTemporaryDir dir;
  static bool made = false;
  if (!made) {
    made = true;
    QDir::setCurrent(dir.path());
    ThreadFiles files;
    FileManager::jurnal().open(files);
    Generator::generate(*files.jurnalFile(), kContacts, 7, dateFromCalendar(2024, 1, 1));
    FileManager::jurnal().close(files);
  }
  return dir.path();
}

void BM_FrequencyReportWalk(benchmark::State& state) {
  logFolder();
  const ReportDefinition def = printJurBandKey();
  std::size_t pages = 0;
  for (auto _ : state) {
    ThreadFiles files;
    const HeadlessReport r = runReportHeadless(def, files);
    pages = r.pages.size();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_FrequencyReportWalk)->Unit(benchmark::kMillisecond);

// The walk as the progress window drives it, slice by slice; reports the longest slice.
void BM_LongestSlice(benchmark::State& state) {
  logFolder();
  const ReportDefinition def = printJurBandKey();
  double longest = 0;
  for (auto _ : state) {
    ThreadFiles files;
    FileManager::jurnal().open(files);
    {
      ReportRun run(def, files);
      ProcessManager manager;
      run.attach(manager);
      manager.start();
      while (manager.running()) {
        QElapsedTimer t;
        t.start();
        manager.runSlice();
        longest = std::max(longest, t.nsecsElapsed() / 1e6);
      }
    }
    FileManager::jurnal().close(files);
  }
  state.counters["longest_slice_ms"] = longest;
}
BENCHMARK(BM_LongestSlice)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RenderFrequencyReportPdf(benchmark::State& state) {
  logFolder();
  ThreadFiles files;
  const HeadlessReport r = runReportHeadless(printJurBandKey(), files);
  const QString path = QDir(logFolder()).filePath(QStringLiteral("band.pdf"));
  for (auto _ : state) benchmark::DoNotOptimize(ReportEngine::renderToPdf(path, r.pages));
  state.counters["pages"] = static_cast<double>(r.pages.size());
}
BENCHMARK(BM_RenderFrequencyReportPdf)->Unit(benchmark::kMillisecond);

// The whole path on screen: the procedure starts, its progress window walks the log in timer
// slices, the preview opens and lays out every page. Ends when the preview has its pages.
void BM_FrequencyReportToPreview(benchmark::State& state) {
  logFolder();
  int pages = 0;
  for (auto _ : state) {
    auto* report = qobject_cast<JournalReport*>(Runtime::instance().startOnNewThread(QStringLiteral("PrintJUR:BAND_KEY")));
    if (!report) {
      state.SkipWithError("report did not start");
      return;
    }
    bool ended = false;
    QObject::connect(report, &Procedure::finished, [&ended] { ended = true; });
    while (!report->preview()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    pages = report->preview()->pageCount();
    state.PauseTiming();
    report->preview()->close();
    while (!ended) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    state.ResumeTiming();
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_FrequencyReportToPreview)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  registerReportProcedures(Runtime::instance().registry());
  ErrorManager::instance().setCaptureMode(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
