#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tracciato {

// A file the program could not create, write or delete, with the reason.
class FileError : public std::runtime_error {
 public:
  FileError(const std::filesystem::path& file, const std::string& reason)
      : std::runtime_error(file.string() + ": " + reason) {}
};

}  // namespace tracciato
