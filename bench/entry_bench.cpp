// Contact form benchmark: the time from the call of UpdateJurnal until its window is shown
// with the contact's values and the defaults filled in, offscreen. Measured for a new contact
// and for a change, with JURNAL already held open by the calling browse (the usual case) and
// with the form opening it itself on a fresh thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "entry/updatejurnal.h"
#include "platform/context.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/keyboardlayoutfake.h"
#include "platform/runtime.h"

namespace {

using namespace jurnal;

JurnalRecord sampleContact() {
  JurnalRecord r;
  r.clear();
  r.date = dateFromCalendar(2024, 5, 1);
  r.uts = timeFromClock(12, 0);
  r.band = 14.074;
  setField(r.radio, "UA3ABC");
  setField(r.rss, "59");
  setField(r.rsr, "57");
  return r;
}

void closeForm(UpdateJurnal* form) {
  form->finish(Response::Cancelled);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void openForms(benchmark::State& state, std::uint8_t request, bool browseHoldsFile) {
  auto thread = std::make_shared<Context>();
  if (browseHoldsFile) FileManager::jurnal().open(thread->files());
  std::int64_t id = 0;
  {
    ThreadFiles store;
    FileManager::jurnal().open(store);
    store.jurnal = sampleContact();
    FileManager::jurnal().insert(store, &id);
    FileManager::jurnal().close(store);
  }
  for (auto _ : state) {
    if (!browseHoldsFile) {
      state.PauseTiming();
      thread = std::make_shared<Context>();
      state.ResumeTiming();
    }
    thread->files().jurnal = sampleContact();
    thread->files().jurnalId = id;
    globals().request = request;
    auto* form = new UpdateJurnal(thread);
    Runtime::instance().call(nullptr, form);
    benchmark::DoNotOptimize(form->window());
    state.PauseTiming();
    closeForm(form);
    state.ResumeTiming();
  }
  if (browseHoldsFile) FileManager::jurnal().close(thread->files());
}

void BM_OpenNewContact(benchmark::State& state) { openForms(state, Request::Insert, true); }
void BM_OpenChange(benchmark::State& state) { openForms(state, Request::Change, true); }
void BM_OpenNewContactOpeningTheFile(benchmark::State& state) { openForms(state, Request::Insert, false); }

BENCHMARK(BM_OpenNewContact)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenChange)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenNewContactOpeningTheFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  installFontSubstitutions();
  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  ErrorManager::instance().setCaptureMode(true);
  KeyboardLayoutFake keyboard;
  KeyboardLayout::setCurrent(&keyboard);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  KeyboardLayout::setCurrent(nullptr);
  return 0;
}
