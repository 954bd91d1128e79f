#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"

namespace tracciato {

// Why nothing can be written into `dir`: "cannot write into DIR: it does not exist", or
// ": not a directory"; nothing when it is a directory.
std::optional<std::string> unusable_output_directory(const std::filesystem::path& dir);

// The --out DIR of every command that writes files into a folder.
constexpr OptionSpec out_directory_option(std::string_view help) {
  return {"--out", "DIR", help, kPathValue};
}

}  // namespace tracciato
