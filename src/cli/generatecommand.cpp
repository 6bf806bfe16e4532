// jurnal-cli generate --count N [--seed S]: adds N synthetic contacts to JURNAL in the working
// directory, creating it when missing, dated over the thirty years up to today.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli/clicommand.h"
#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/generator.h"
#include "core/jurnalfile.h"
#include "core/threadfiles.h"

namespace jurnal::cli {
namespace {

bool parseCount(const std::string& text, unsigned long long& out) {
  if (text.empty() || text[0] == '-') return false;
  errno = 0;
  char* end = nullptr;
  out = std::strtoull(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0';
}

}  // namespace

int runGenerate(const std::vector<std::string>& args) {
  unsigned long long count = 0, seed = 1;
  bool haveCount = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool last = i + 1 == args.size();
    if (args[i] == "--count" && !last) {
      if (!parseCount(args[++i], count) || count == 0) return kExitUsage;
      haveCount = true;
    } else if (args[i] == "--seed" && !last) {
      if (!parseCount(args[++i], seed)) return kExitUsage;
    } else {
      return kExitUsage;
    }
  }
  if (!haveCount) return kExitUsage;

  ThreadFiles files;
  FileManager& manager = FileManager::jurnal();
  if (!manager.open(files)) return kExitFailed;  // the report went to stderr
  JurnalFile* jurnal = files.jurnalFile();
  if (manager.readOnly()) {
    std::fprintf(stderr, "jurnal-cli generate: the log is read-only, nothing added\n");
    manager.close(files);
    return kExitFailed;
  }
  const Status s = Generator::generate(*jurnal, static_cast<std::int64_t>(count), seed, Clock::current().today());
  manager.close(files);
  if (!s) {
    std::fprintf(stderr, "jurnal-cli generate: %s\n", s.text.c_str());
    return kExitFailed;
  }
  std::printf("%llu contacts added\n", count);
  return kExitOk;
}

}  // namespace jurnal::cli
