#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/compiled_files.h"
#include "model/scenario.h"

namespace tracciato {

// A compiled file that could not be written; nothing of the build was put in place.
class OutputError : public std::runtime_error {
 public:
  OutputError(const std::filesystem::path& file, const std::string& reason)
      : std::runtime_error(file.string() + ": " + reason) {}
};

// The compiled files of a stamped scenario, in writing order: geometry (when built),
// header, cells. Names use the base name and train number as the author spells them.
struct EncodedBuild {
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> cells;
  std::vector<CompiledFile> files;
};
EncodedBuild encode_build(const Scenario& scenario, const std::string& base_name,
                          const std::string& train_number);

// Writes every file to a temporary name in `dir`, syncs it, and only when all are
// complete renames them into place in order. Throws OutputError.
void write_all_or_nothing(const std::filesystem::path& dir, const std::vector<CompiledFile>& files);

}  // namespace tracciato
