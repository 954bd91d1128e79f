#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tracciato {

// A program that ran to its end: its exit status (-1 when a signal ended it) and what it
// wrote to standard output and error.
struct ChildRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` (a path, or a name looked up on the PATH) with `args` in `cwd`, with no
// shell in between, and waits for it. Its standard input holds `input`.
ChildRun run_child(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& cwd, const std::string& input = {});

}  // namespace tracciato
