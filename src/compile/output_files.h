#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "format/compiled_files.h"
#include "model/scenario.h"

namespace tracciato {

// The bytes of a stamped scenario's compiled files. The geometry file's bytes stay in
// the scenario's own table, which must outlive this.
struct EncodedBuild {
  ScenarioNames names;                                  // as the author spells them
  std::vector<std::span<const std::uint8_t>> geometry;  // empty when no table was built
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> cells;
};
EncodedBuild encode_build(const Scenario& scenario, const std::string& base_name,
                          const std::string& train_number);

// The files in writing order: geometry (when built), header, cells.
std::vector<CompiledFile> compiled_files(const EncodedBuild& build);

// Writes every file to a temporary name in `dir`, syncs it, and only when all are
// complete renames them into place in order, holding the folder's lock throughout so
// that no other run mixes its files in. A read-only file of the set stops it before
// anything is written, unless `replace_read_only`. Throws FileError.
void write_all_or_nothing(const std::filesystem::path& dir, const std::vector<CompiledFile>& files,
                          bool replace_read_only = false);

// Which of the files `names` in `dir` are read-only, in the order given; nothing when
// none is.
std::optional<std::vector<std::string>> read_only_outputs(const std::filesystem::path& dir,
                                                          const std::vector<std::string>& names);

}  // namespace tracciato
