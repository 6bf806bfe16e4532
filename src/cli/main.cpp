// jurnal-cli: runs one subcommand from the table on the files of the working directory.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/clicommand.h"

namespace {

void printUsage() {
  std::fprintf(stderr, "usage: jurnal-cli <command> [arguments]\n\ncommands:\n");
  for (const auto& c : jurnal::cli::cliCommands())
    std::fprintf(stderr, "  %s %s\n      %s\n", c.name, c.usage, c.summary);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage();
    return jurnal::cli::kExitUsage;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : jurnal::cli::cliCommands()) {
    if (std::strcmp(c.name, argv[1]) != 0) continue;
    const int rc = c.run(args);
    if (rc == jurnal::cli::kExitUsage) std::fprintf(stderr, "usage: jurnal-cli %s %s\n", c.name, c.usage);
    return rc;
  }
  std::fprintf(stderr, "jurnal-cli: unknown command '%s'\n", argv[1]);
  printUsage();
  return jurnal::cli::kExitUsage;
}
