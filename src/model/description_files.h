#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// Descriptions found beside one another by their names: a train goes with the line
// NAME_linea.txt in its folder, a line with the trains NAME_NUMBER-.txt in its folder.
// Paths are strings in the form they were given (a command-line word, an editor's path):
// a partner is named by replacing the file name alone, so that it reads as its own path.

// The folder part of `path`, its separator included; empty for a bare file name.
std::string folder_of(std::string_view path);
// `path` with its file name replaced by `name`.
std::string sibling(std::string_view path, std::string_view name);

// The line a train of `base_name` goes with: NAME_linea.txt beside it.
std::string line_beside(std::string_view train_path, const std::string& base_name);

// The trains of `base_name` beside a line, the one changed last first (an author's latest
// work), then by name.
std::vector<std::string> trains_beside(std::string_view line_path, const std::string& base_name);

// The file beside `missing` whose name is nearest to its name, when one is near enough to
// be what was meant: a description of the same kind first, never a compiled file.
std::optional<std::string> nearest_name_beside(const std::filesystem::path& missing);

}  // namespace tracciato
