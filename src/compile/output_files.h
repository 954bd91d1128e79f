#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "format/compiled_files.h"
#include "model/scenario.h"

namespace tracciato {

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
// complete renames them into place in order. Throws FileError.
void write_all_or_nothing(const std::filesystem::path& dir, const std::vector<CompiledFile>& files);

}  // namespace tracciato
