// The table of jurnal-cli subcommands: one declaration and one line per command.
#include "cli/clicommand.h"

namespace jurnal::cli {

int runGenerate(const std::vector<std::string>& args);
int runExport(const std::vector<std::string>& args);
int runImport(const std::vector<std::string>& args);
int runReport(const std::vector<std::string>& args);
int runTotals(const std::vector<std::string>& args);

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> commands = {
      {"generate", "--count N [--seed S]", "add N synthetic contacts to JURNAL in the working directory",
       runGenerate},
      {"export", "", "write the whole log to jurnal.txt in the working directory", runExport},
      {"import", "", "add every record of jurnal.txt in the working directory to the log", runImport},
      {"report", "date --from D.M.YYYY --to D.M.YYYY | band | radio --radio CALL | diplom --diplom NAME, then --pdf FILE",
       "print a journal report of the working directory's log to a PDF file", runReport},
      {"totals", "", "rebuild BONUS from JURNAL in the working directory and print each diploma's total", runTotals},
  };
  return commands;
}

}  // namespace jurnal::cli
