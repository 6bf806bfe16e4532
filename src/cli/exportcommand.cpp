// jurnal-cli export: writes the whole log of the working directory to jurnal.txt there, with
// the export's own code, as "Выгрузить базу  в текст" does. Progress on stderr when it is a
// terminal; a summary line at the end.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include <unistd.h>

#include "cli/clicommand.h"
#include "core/threadfiles.h"
#include "exchange/exportrun.h"

namespace jurnal::cli {

int runExport(const std::vector<std::string>& args) {
  if (!args.empty()) return kExitUsage;
  // The process manager's timer needs an application object; none is shown.
  static int argc = 1;
  static char name[] = "jurnal-cli";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QCoreApplication> app;
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  ThreadFiles files;
  const ExportResult result = runExportHeadless(files, [terminal](int percent) {
    if (terminal) std::fprintf(stderr, "\rвыгрузка: %3d%%", percent);
  });
  if (terminal) std::fprintf(stderr, "\n");
  if (!result.error.empty()) {
    std::fprintf(stderr, "jurnal-cli export: %s\n", result.error.c_str());
    std::printf("%llu contacts written to jurnal.txt, export failed\n", static_cast<unsigned long long>(result.lines));
    return kExitFailed;
  }
  if (result.outcome == ProcessManager::Outcome::NoRecords)
    std::fprintf(stderr, "jurnal-cli export: the log is empty, jurnal.txt emptied\n");
  std::printf("%llu contacts written to jurnal.txt, 0 failures\n", static_cast<unsigned long long>(result.lines));
  return kExitOk;
}

}  // namespace jurnal::cli
