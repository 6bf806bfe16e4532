// jurnal-cli totals: rebuilds BONUS from JURNAL in the working directory exactly as the
// journal window's F5 does, then prints one line per record in key order: the diploma name,
// a tab, the sum (UTF-8).
#include <cstdio>

#include "cli/clicommand.h"
#include "core/bonusfile.h"
#include "core/bonustotals.h"
#include "core/filemanager.h"
#include "core/fixedtext.h"
#include "core/jurnalfile.h"
#include "core/threadfiles.h"
#include "core/win1251.h"

namespace jurnal::cli {

int runTotals(const std::vector<std::string>& args) {
  if (!args.empty()) return kExitUsage;
  ThreadFiles files;
  if (!FileManager::jurnal().open(files)) return kExitFailed;  // the report went to stderr
  if (!FileManager::bonus().open(files)) {
    FileManager::jurnal().close(files);
    return kExitFailed;
  }
  BonusFile& bonus = *files.bonusFile();
  const Status s = rebuildBonusTotals(*files.jurnalFile(), bonus);
  int status = kExitOk;
  if (!s) {
    std::fprintf(stderr, "jurnal-cli totals: the totals were not rebuilt, BONUS is unchanged: %s\n", s.text.c_str());
    status = kExitFailed;
  } else {
    for (const BonusRow& row : bonus.readAll())
      std::printf("%s\t%d\n", cp1251ToUtf8(fieldText(row.rec.diplomName)).c_str(), static_cast<int>(row.rec.summa.get()));
  }
  FileManager::bonus().close(files);
  FileManager::jurnal().close(files);
  return status;
}

}  // namespace jurnal::cli
