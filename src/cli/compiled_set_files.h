#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/failure.h"
#include "compile/decompile/compiled_input.h"
#include "model/file_names.h"

namespace tracciato {

// A compiled set read from NAME_NUMBER.sim and, beside it, NAME_NUMBER.dat and
// NAME_linea.dat (which may be absent).
struct CompiledSetFiles {
  std::filesystem::path dir;  // where the .sim stands
  ScenarioNames names;        // from the file name
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> cells;
  std::optional<std::vector<std::uint8_t>> geometry;
  CompiledSet set() const;
};

// Reads the set a .sim file names; a damaged file is a failure with status 1.
Result<CompiledSetFiles> read_set_files(const std::string& sim);

// The file names of a set: NAME_NUMBER.sim, NAME_NUMBER.dat and, when given, NAME_linea.dat.
std::string set_file_names(const ScenarioNames& names, bool geometry);

}  // namespace tracciato
