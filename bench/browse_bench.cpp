// Browse benchmark: the journal window, the diploma list and the contact history lookup on
// large logs, headless (offscreen), through the same procedures, browse manager, model and
// view the program uses. Measures opening (F3 to the first rows), tab changes, selection-key
// keystrokes per key type, Ctrl+End, F5 (totals rebuild and the diploma list), the lookup of
// one callsign's contacts, and the growth of the process with two journal windows open.
// Each figure is the median and the worst of repeated runs.
//   bench_browse [count...]      (default: 100000 1000000)
// Logs are generated once into $TMPDIR/jurnal-bench-browse-<count> and reused.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "browse/browsejurnal.h"
#include "browse/browseprocedures.h"
#include "browse/lookcontact.h"
#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/generator.h"
#include "core/globals.h"
#include "core/jurnalfile.h"
#include "core/win1251.h"
#include "platform/browsemanager.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/inisections.h"
#include "platform/runtime.h"

using namespace jurnal;
using Steady = std::chrono::steady_clock;

namespace {

constexpr int kRepeats = 9;

double msSince(Steady::time_point t0) { return std::chrono::duration<double, std::milli>(Steady::now() - t0).count(); }

void pump() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

struct Figures {
  std::vector<double> times;
  void add(double ms) { times.push_back(ms); }
  void print(const char* what) {
    std::sort(times.begin(), times.end());
    std::printf("  %-52s %8.2f ms median %8.2f ms worst  (%zu runs)\n", what, times[times.size() / 2], times.back(),
                times.size());
  }
};

// Resident memory in MB: "RssAnon" (the process's own heap and stacks) or "RssFile" (pages of
// mapped files: the log's database pages SQLite reads through its memory map, shared with the
// system's file cache and dropped under memory pressure).
double rssMb(const char* kind) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(kind) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atof(line.c_str() + prefix.size()) / 1024.0;
  return 0;
}

void prepareLog(const std::string& folder, long long count) {
  std::filesystem::create_directories(folder);
  JurnalFile f(folder);
  if (f.open(OpenMode::ReadWrite) == OpenOutcome::NotFound) {
    f.create();
    f.open(OpenMode::ReadWrite);
  }
  if (f.count() == count) return;
  std::printf("  generating %lld contacts in %s ...\n", count, folder.c_str());
  std::fflush(stdout);
  f.close();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  JurnalFile g(folder);
  g.create();
  g.open(OpenMode::ReadWrite);
  if (!Generator::generate(g, count, 1, dateFromCalendar(2026, 1, 1))) {
    std::fprintf(stderr, "generation failed\n");
    std::exit(1);
  }
}

// The callsign worked most often: the lookup's hardest case.
std::string busiestCallsign(const std::string& folder) {
  JurnalFile f(folder);
  f.open(OpenMode::ReadOnly);
  JurSelection sel;
  sel.key = JurKey::Radio;
  auto scan = f.scan(sel);
  JurnalRow row;
  std::string best, run;
  long long bestCount = 0, runCount = 0;
  while (scan->next(row)) {
    const std::string key = upperCp1251(fieldText(row.rec.radio));
    if (key != run) {
      run = key;
      runCount = 0;
    }
    if (++runCount > bestCount) {
      bestCount = runCount;
      best = run;
    }
  }
  return best;
}

BrowseJurnal* openJournal() {
  return qobject_cast<BrowseJurnal*>(Runtime::instance().startOnNewThread(QStringLiteral("BrowseJurnal")));
}

void closeJournal(BrowseJurnal* w) {
  w->finish(2);
  pump();
}

QTabWidget* sheet(BrowseJurnal* w) { return w->window()->findChild<QTabWidget*>(QStringLiteral("CURRENTTAB")); }

// The first few characters of the highlighted row's column, as keys to type.
QString keyFrom(BrowseJurnal* w, int column, int chars) {
  const BrowseRow* row = w->browse()->current();
  return row ? row->values.value(column).trimmed().left(chars) : QString();
}

void typeKeys(BrowseJurnal* w, const QString& keys, Figures& f) {
  BrowseManager* b = w->browse();
  for (QChar c : keys) {
    const auto t0 = Steady::now();
    b->typeCharacter(c);
    f.add(msSince(t0));
  }
  for (int i = 0; i < keys.size(); ++i) {
    const auto t0 = Steady::now();
    b->backspace();
    f.add(msSince(t0));
  }
}

void run(long long count) {
  const std::string folder = (std::filesystem::temp_directory_path() / ("jurnal-bench-browse-" + std::to_string(count))).string();
  std::printf("%lld contacts\n", count);
  prepareLog(folder, count);
  QDir::setCurrent(QString::fromStdString(folder));
  FileManager::resetAll();

  // Opening: F3 to the first rows on the screen.
  Figures open;
  for (int i = 0; i < kRepeats; ++i) {
    const auto t0 = Steady::now();
    BrowseJurnal* w = openJournal();
    QCoreApplication::processEvents();
    if (!w || w->browse()->rowCount() == 0) std::exit(1);
    open.add(msSince(t0));
    closeJournal(w);
  }
  open.print("F3: window with its first rows");

  const double anonBefore = rssMb("RssAnon"), fileBefore = rssMb("RssFile");
  BrowseJurnal* w = openJournal();
  BrowseJurnal* second = openJournal();
  pump();
  std::printf("  page of rows in the list: %d\n", w->browse()->pageSize());
  std::printf("  growth with two journal windows just opened: %.1f MB own memory + %.1f MB mapped log pages\n",
              rssMb("RssAnon") - anonBefore, rssMb("RssFile") - fileBefore);

  Figures tabs;
  for (int i = 0; i < kRepeats; ++i)
    for (int tab : {1, 2, 3, 4, 5, 0}) {
      const auto t0 = Steady::now();
      sheet(w)->setCurrentIndex(tab);
      tabs.add(msSince(t0));
    }
  tabs.print("tab change (every tab)");
  if (std::getenv("BENCH_BROWSE_RSS")) std::printf("    mapped: %.1f MB\n", rssMb("RssFile") - fileBefore);

  Figures end;
  for (int i = 0; i < kRepeats; ++i)
    for (int tab : {0, 1, 2, 3, 4, 5}) {
      sheet(w)->setCurrentIndex(tab);
      const auto t0 = Steady::now();
      w->browse()->toLast();
      end.add(msSince(t0));
      w->browse()->toFirst();
    }
  end.print("Ctrl+End (last row, every tab)");
  if (std::getenv("BENCH_BROWSE_RSS")) std::printf("    mapped: %.1f MB\n", rssMb("RssFile") - fileBefore);

  // Selection keys: the beginning of a field of a row in the middle of each order.
  const struct {
    int tab;
    int column;
    int chars;
    const char* what;
  } keyTabs[] = {{2, 3, 4, "keystroke of a callsign key"},
                 {3, 6, 4, "keystroke of a location key"},
                 {4, 11, 4, "keystroke of a diploma key"},
                 {1, 2, 5, "keystroke of a band key"}};
  for (const auto& k : keyTabs) {
    sheet(w)->setCurrentIndex(k.tab);
    Figures f;
    for (int i = 0; i < kRepeats; ++i) {
      w->browse()->toFirst();
      w->browse()->pageDown();
      const QString keys = keyFrom(w, k.column, k.chars);
      typeKeys(w, keys, f);
    }
    f.print(k.what);
    if (std::getenv("BENCH_BROWSE_RSS")) std::printf("    mapped: %.1f MB\n", rssMb("RssFile") - fileBefore);
  }
  {
    sheet(w)->setCurrentIndex(1);
    Figures f;
    for (int i = 0; i < kRepeats; ++i) typeKeys(w, QStringLiteral("7.1"), f);
    f.print("keystroke of band key 7.1 (decades of 7)");
  }
  sheet(w)->setCurrentIndex(0);
  {
    Figures f;
    for (int i = 0; i < kRepeats; ++i) typeKeys(w, QStringLiteral("2010"), f);
    f.print("keystroke of the date search");
  }

  sheet(second)->setCurrentIndex(2);
  second->browse()->toLast();
  pump();
  const double anon = rssMb("RssAnon") - anonBefore, file = rssMb("RssFile") - fileBefore;
  std::printf("  growth with two journal windows after the runs above: %.1f MB own memory + %.1f MB mapped log pages = %.1f MB\n",
              anon, file, anon + file);

  // F5: rebuild and the diploma list on the screen.
  Figures f5;
  for (int i = 0; i < 5; ++i) {
    const auto t0 = Steady::now();
    w->showDiplomas();
    QCoreApplication::processEvents();
    f5.add(msSince(t0));
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->windowTitle() == QStringLiteral("Диплом"))
        if (auto* close = top->findChild<QAbstractButton*>(QStringLiteral("CLOSE"))) close->click();
    pump();
  }
  f5.print("F5: totals rebuilt and the diploma list shown");

  // The lookup of the callsign worked most often.
  const std::string callsign = busiestCallsign(folder);
  Figures look;
  int rows = 0;
  for (int i = 0; i < kRepeats; ++i) {
    globals().radioLook.set(callsign);
    const auto t0 = Steady::now();
    auto* p = new LookContact(w->contextPtr());
    Runtime::instance().call(nullptr, p);
    look.add(msSince(t0));
    rows = p->browse()->rowCount();
    p->finish(2);
    pump();
  }
  look.print(("LookContact of " + cp1251ToUtf8(callsign) + " (" + std::to_string(rows) + " rows on the page)").c_str());
  {
    JurnalFile f(folder);
    f.open(OpenMode::ReadOnly);
    JurSelection sel;
    sel.key = JurKey::Radio;
    sel.low = sel.high = KeyValue(callsign);
    std::printf("  (%zu contacts with that callsign in the log)\n", f.read(sel, std::nullopt, true, true, 1 << 30).size());
  }

  closeJournal(second);
  closeJournal(w);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  installFontSubstitutions();
  ErrorManager::instance().init();
  ErrorManager::instance().setCaptureMode(true);
  setIniFilePath(QDir::temp().filePath(QStringLiteral("jurnal-bench-browse.ini")));
  registerBrowseProcedures(Runtime::instance().registry());
  std::vector<long long> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoll(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};
  for (long long c : counts) run(c);
  return 0;
}
