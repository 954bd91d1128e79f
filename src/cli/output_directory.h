#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

// "cannot write into DIR: not a directory" when `dir` is not an existing directory.
std::optional<std::string> unusable_output_directory(const std::filesystem::path& dir);

}  // namespace tracciato
