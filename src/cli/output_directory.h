#pragma once

#include <filesystem>
#include <string_view>

#include "cli/arguments.h"
#include "cli/failure.h"

namespace tracciato {

// `dir` when it is a directory; otherwise the failure "cannot write into DIR: it does not
// exist", or ": not a directory".
Result<std::filesystem::path> output_directory(const std::filesystem::path& dir);

// The --out DIR of every command that writes files into a folder.
constexpr OptionSpec out_directory_option(std::string_view help) {
  return {"--out", "DIR", help, kPathValue};
}

}  // namespace tracciato
