#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "base/utf8_path.h"

namespace tracciato {

// A file the program could not create, write, rename or delete, with the reason.
class FileError : public std::runtime_error {
 public:
  FileError(const std::filesystem::path& file, const std::string& reason)
      : std::runtime_error(shown_path(file) + ": " + reason) {}
};

}  // namespace tracciato
