#pragma once

#include <array>
#include <string_view>

namespace tracciato {

// What every command's exit status means; scripts and checks rely on these numbers.
enum class ExitStatus {
  kOk = 0,
  kError = 1,        // a compile error, an error found by check, a damaged compiled file
  kUsage = 2,        // the command line is wrong
  kFileProblem = 3,  // a file cannot be read or written
  // decompile --nearest wrote descriptions that do not compile to the same bytes; its
  // help tells it.
  kNearest = 2,
};

constexpr int exit_code(ExitStatus status) {
  return static_cast<int>(status);
}

// Each status with what it means, as the help tells it.
struct ExitStatusMeaning {
  ExitStatus status;
  std::string_view meaning;
};
inline constexpr std::array<ExitStatusMeaning, 4> kExitStatusMeanings = {{
    {ExitStatus::kOk, "built, or nothing found"},
    {ExitStatus::kError, "a compile error, an error found by check, a damaged compiled file"},
    {ExitStatus::kUsage, "the command line is wrong"},
    {ExitStatus::kFileProblem, "a file cannot be read or written"},
}};

}  // namespace tracciato
