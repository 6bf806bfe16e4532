// Text exchange benchmark: for logs of 100 000 and 1 000 000 generated contacts, the export's
// core path (walk JUR:INDEX, build each line, write jurnal.txt through the buffer) and the
// import's (read jurnal.txt in blocks, split, convert, insert into an empty JURNAL with one
// transaction per half second, as the time slices commit; and as jurnal-cli loads an empty log,
// without its keys, built at the end), each beside the machine's
// baseline: `cat jurnal.txt > /dev/null`, and the sqlite3 tool importing the same lines into a
// plain table. Also the resident memory after each phase, to show it does not grow with the
// file. Each figure is the best of three runs (one run above 200 000 contacts), wall clock and processor time (the process's own,
// or its children's for the baselines), since the machine is often shared.
//   bench_exchange [count...]      (default: 100000 1000000)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/generator.h"
#include "core/jurnalfile.h"
#include "core/jurnalscan.h"
#include "core/textexport.h"
#include "core/textimport.h"

using namespace jurnal;
using Clock = std::chrono::steady_clock;

namespace {

int g_repeats = 3;  // runs per figure; one for logs above 200 000 contacts

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Resident set size now, in MB.
double residentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// Processor time so far in ms: this process's, or that of its waited-for children.
double cpuMs(bool children) {
  rusage u{};
  ::getrusage(children ? RUSAGE_CHILDREN : RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

struct Timing {
  double wall = 1e300, cpu = 1e300;
};

Timing best(const std::function<void()>& work, bool children = false) {
  Timing t;
  for (int i = 0; i < g_repeats; ++i) {
    const auto t0 = Clock::now();
    const double c0 = cpuMs(children);
    work();
    t.wall = std::min(t.wall, msSince(t0));
    t.cpu = std::min(t.cpu, cpuMs(children) - c0);
  }
  return t;
}

void line(const char* what, const Timing& t, const std::string& note = {}) {
  std::printf("  %-52s %8.0f ms wall %8.0f ms processor  %s\n", what, t.wall, t.cpu, note.c_str());
  std::fflush(stdout);
}

void fail(const std::string& what) {
  std::fprintf(stderr, "bench_exchange: %s\n", what.c_str());
  std::exit(1);
}

void openFile(JurnalFile& f) {
  if (f.open(OpenMode::ReadWrite) == OpenOutcome::NotFound && f.create()) (void)f.open(OpenMode::ReadWrite);
  if (!f.isOpen()) fail("cannot open JURNAL: " + f.errorText());
}

std::uint64_t exportLog(const std::string& folder, const std::string& path) {
  JurnalFile f(folder);
  openFile(f);
  TextExport out;
  if (!out.open(path)) fail("cannot open " + path);
  auto scan = f.scan(JurSelection{JurKey::Index, {}, {}, {}});
  JurnalRow row;
  while (scan->next(row)) out.write(row.rec);
  if (!out.close()) fail("write failed");
  return out.linesWritten();
}

// One transaction per `sliceMs` of work (0: one for the whole run); with `withoutKeys` the
// empty log is loaded without its keys and keyed at the end, as jurnal-cli import does.
std::uint64_t importFile(const std::string& folder, const std::string& path, double sliceMs = 500,
                         bool withoutKeys = false) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  JurnalFile f(folder);
  openFile(f);
  if (withoutKeys && !f.beginBulkLoad()) fail("cannot load without keys");
  TextImport in;
  if (!in.open(path)) fail("cannot read " + path);
  TxtRecord txt;
  const int year = currentYear();
  std::uint64_t added = 0;
  auto sliceStart = Clock::now();
  while (in.next(txt)) {
    if (!f.inTransaction()) {
      if (!f.begin()) fail("begin failed");
      sliceStart = Clock::now();
    }
    if (f.insert(txtToJurnal(txt, year))) ++added;
    if (sliceMs > 0 && msSince(sliceStart) >= sliceMs && !f.commit()) fail("commit failed");
  }
  if (!f.commit()) fail("commit failed");
  if (withoutKeys && !f.endBulkLoad()) fail("building the keys failed");
  return added;
}

void run(long long count) {
  std::string pattern = (std::filesystem::temp_directory_path() / "jurnal-exchange-bench-XXXXXX").string();
  const std::string root = ::mkdtemp(pattern.data());
  const std::string source = root + "/source", target = root + "/target", path = root + "/jurnal.txt";
  std::filesystem::create_directories(source);
  std::printf("%lld contacts\n", count);
  g_repeats = count > 200000 ? 1 : 3;
  {
    JurnalFile f(source);
    openFile(f);
    if (const Status s = Generator::generate(f, count, 1, 80000); !s) fail("generate failed: " + s.text);
  }
  const double rssStart = residentMb();

  std::uint64_t lines = 0;
  const Timing exported = best([&] { lines = exportLog(source, path); });
  const double rssExport = residentMb();
  const auto bytes = std::filesystem::file_size(path);
  line("export: walk, format, write", exported,
       "(" + std::to_string(lines) + " lines, " + std::to_string(bytes / 1000000) + " MB)");
  const std::string cat = "cat '" + path + "' > /dev/null";
  line("baseline: cat jurnal.txt > /dev/null", best([&] { (void)std::system(cat.c_str()); }, true));

  std::uint64_t added = 0;
  const Timing imported = best([&] { added = importFile(target, path); });
  const double rssImport = residentMb();
  line("import, menu: read, split, convert, insert (6 keys)", imported, "(" + std::to_string(added) + " added)");
  line("  the same in one transaction for the run", best([&] { importFile(target, path, 0); }));
  line("import, jurnal-cli: without keys, keys built at the end", best([&] { importFile(target, path, 500, true); }));
  const std::string baseDb = root + "/baseline.db";
  const std::string sqlite = "sqlite3 '" + baseDb +
                             "' 'CREATE TABLE t(a,b,c,d,e,f,g,h,i,j,k,l,m)' '.mode csv' '.import \"" + path +
                             "\" t' 2>/dev/null";
  const auto sqliteImport = [&] {
    std::filesystem::remove(baseDb);
    (void)std::system(sqlite.c_str());
  };
  line("baseline: sqlite3 .import of the same lines (no keys)", best(sqliteImport, true));
  std::printf("  %-52s %8.1f / %.1f / %.1f MB\n", "resident memory: before / after export / after import",
              rssStart, rssExport, rssImport);
  std::filesystem::remove_all(root);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long long> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoll(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};
  for (long long c : counts) run(c);
  return 0;
}
