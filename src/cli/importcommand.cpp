// jurnal-cli import: adds every record of jurnal.txt in the working directory to the log
// there, with the import's own code, as "Загрузка базы из текста" does. Progress on stderr
// when it is a terminal; a summary line at the end. Any line not added makes it fail.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include <unistd.h>

#include "cli/clicommand.h"
#include "core/threadfiles.h"
#include "exchange/importrun.h"

namespace jurnal::cli {

int runImport(const std::vector<std::string>& args) {
  if (!args.empty()) return kExitUsage;
  // The process manager's timer needs an application object; none is shown.
  static int argc = 1;
  static char name[] = "jurnal-cli";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QCoreApplication> app;
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  ThreadFiles files;
  const ImportResult result = runImportHeadless(files, [terminal](int percent) {
    if (terminal) std::fprintf(stderr, "\rзагрузка: %3d%%", percent);
  });
  if (terminal) std::fprintf(stderr, "\n");
  if (!result.error.empty()) std::fprintf(stderr, "jurnal-cli import: %s\n", result.error.c_str());
  if (!result.failures.empty()) std::fprintf(stderr, "jurnal-cli import: %s\n", result.failures.c_str());
  if (result.outcome == ProcessManager::Outcome::NoRecords && result.error.empty())
    std::fprintf(stderr, "jurnal-cli import: jurnal.txt holds no records\n");
  std::printf("%llu contacts added, %llu failures\n", static_cast<unsigned long long>(result.added),
              static_cast<unsigned long long>(result.failed));
  return result.error.empty() && result.failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace jurnal::cli
