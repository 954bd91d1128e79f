#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

// Why `file` cannot be read, in the words of InputFile::open ("it does not exist", "it is
// a FIFO", ...); nothing when it opens for reading.
std::optional<std::string> read_problem(const std::filesystem::path& file);

}  // namespace tracciato
