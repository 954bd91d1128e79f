#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

// Why `file` cannot be read, in the same words on every system: "it does not exist",
// "it is a directory", "no permission to read it", "another program holds it locked", or
// the system's own message; nothing when it opens for reading.
std::optional<std::string> read_problem(const std::filesystem::path& file);

}  // namespace tracciato
