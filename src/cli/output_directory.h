#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

// Why nothing can be written into `dir`: "cannot write into DIR: it does not exist", or
// ": not a directory"; nothing when it is a directory.
std::optional<std::string> unusable_output_directory(const std::filesystem::path& dir);

}  // namespace tracciato
