// Storage benchmark: generates logs of 100 000 and 1 000 000 contacts in a temporary folder
// and measures generation, database size, opening with the first page of each key order and
// the last page backwards, prefix narrowing and a whole-log walk. Timings are the median and
// the worst of repeated runs, each on a freshly opened file.
//   bench_storage [count...]      (default: 100000 1000000)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/generator.h"
#include "core/jurnalfile.h"
#include "core/win1251.h"

using namespace jurnal;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRepeats = 15;
constexpr int kPage = 50;

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Timing {
  double median, worst;
  std::size_t rows;
};

// Opens the file, runs `work` and closes it, kRepeats times.
Timing measure(const std::string& folder, const std::function<std::size_t(JurnalFile&)>& work) {
  std::vector<double> times;
  std::size_t rows = 0;
  for (int i = 0; i < kRepeats; ++i) {
    const auto t0 = Clock::now();
    JurnalFile f(folder);
    if (f.open(OpenMode::ReadWrite) != OpenOutcome::Ok) {
      std::fprintf(stderr, "open failed: %s\n", f.errorText().c_str());
      std::exit(1);
    }
    rows = work(f);
    times.push_back(msSince(t0));
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.back(), rows};
}

void line(const std::string& what, const Timing& t) {
  std::printf("  %-44s %8.2f ms median %8.2f ms worst  (%zu rows)\n", what.c_str(), t.median, t.worst, t.rows);
}

void run(long long count) {
  std::string pattern = (std::filesystem::temp_directory_path() / "jurnal-bench-XXXXXX").string();
  const std::string folder = ::mkdtemp(pattern.data());
  std::printf("%lld contacts\n", count);

  {
    JurnalFile f(folder);
    if (!f.create() || f.open(OpenMode::ReadWrite) != OpenOutcome::Ok) {
      std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), f.errorText().c_str());
      std::exit(1);
    }
    const auto t0 = Clock::now();
    const std::clock_t cpu0 = std::clock();
    const Status s = Generator::generate(f, count, 1, 80000);
    if (!s) {
      std::fprintf(stderr, "generate failed: %s\n", s.text.c_str());
      std::exit(1);
    }
    // Processor time too: on a shared machine the wall clock says more about the neighbours.
    std::printf("  %-44s %8.0f ms wall %8.0f ms processor\n", "generate (transactions of 50 000)", msSince(t0),
                1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC);
  }
  const auto bytes = std::filesystem::file_size(folder + "/JURNAL.db");
  std::printf("  %-44s %8.1f MB (%.0f bytes per contact)\n", "database size", bytes / 1e6,
              static_cast<double>(bytes) / static_cast<double>(count));

  for (int k = 0; k < kJurKeyCount; ++k) {
    const JurSelection sel{static_cast<JurKey>(k), {}, {}, {}};
    const std::string name = std::string("open + first 50 ") + jurKeyDescription(sel.key);
    line(name, measure(folder, [&](JurnalFile& f) { return f.read(sel, std::nullopt, true, true, kPage).size(); }));
    line(std::string("open + last 50 backwards ") + jurKeyDescription(sel.key),
         measure(folder, [&](JurnalFile& f) { return f.read(sel, std::nullopt, true, false, kPage).size(); }));
  }

  const struct {
    JurKey key;
    const char* prefix;  // UTF-8
  } prefixes[] = {
      {JurKey::Band, "14"},   {JurKey::Band, "7"},      {JurKey::Band, "1296"},   {JurKey::Band, "144.1"},
      {JurKey::Band, "5"},    {JurKey::Band, "9"},      {JurKey::Band, "0.5"},    {JurKey::Band, "-1"},
      {JurKey::Radio, "UA3"}, {JurKey::Radio, "ua9/"},  {JurKey::Qth, "Моск"},    {JurKey::Diplom, "р-100"},
  };
  for (const auto& p : prefixes) {
    const JurSelection sel{p.key, {}, {}, utf8ToCp1251(p.prefix)};
    for (bool forward : {true, false}) {
      const std::string name = std::string("open + ") + (forward ? "first" : "last") + " 50 " +
                               jurKeyDescription(p.key) + " prefix \"" + p.prefix + "\"";
      line(name, measure(folder, [&](JurnalFile& f) { return f.read(sel, std::nullopt, true, forward, kPage).size(); }));
    }
  }

  for (JurKey key : {JurKey::Index, JurKey::Diplom}) {
    const auto t0 = Clock::now();
    const std::clock_t cpu0 = std::clock();
    JurnalFile f(folder);
    f.open(OpenMode::ReadWrite);
    auto scan = f.scan({key, {}, {}, {}});
    JurnalRow row;
    std::size_t n = 0;
    while (scan->next(row)) ++n;
    std::printf("  %-44s %8.0f ms wall %8.0f ms processor  (%zu rows)\n",
                (std::string("walk the whole ") + jurKeyDescription(key)).c_str(), msSince(t0),
                1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC, n);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long long> counts;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures appear as they are measured
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoll(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};
  for (long long c : counts) run(c);
  return 0;
}
