// The subcommands of jurnal-cli. A command gets its arguments after its name and returns the
// exit status: 0 done, 1 failed (message on stderr), 2 bad arguments (usage printed by main).
#pragma once

#include <string>
#include <vector>

namespace jurnal::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliCommand {
  const char* name;
  const char* usage;    // arguments after the name, e.g. "--count N [--seed S]"
  const char* summary;  // one line of help
  int (*run)(const std::vector<std::string>& args);
};

const std::vector<CliCommand>& cliCommands();


}  // namespace jurnal::cli
