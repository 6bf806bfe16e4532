// The table of jurnal-cli subcommands: one declaration and one line per command.
#include "cli/clicommand.h"

namespace jurnal::cli {

int runGenerate(const std::vector<std::string>& args);

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> commands = {
      {"generate", "--count N [--seed S]", "add N synthetic contacts to JURNAL in the working directory",
       runGenerate},
  };
  return commands;
}

}  // namespace jurnal::cli
