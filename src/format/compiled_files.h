#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/file_names.h"
#include "model/scenario.h"

namespace tracciato {

// The byte forms the simulator loads: packed little-endian records, no file header.
std::vector<std::uint8_t> encode_header(const ScenarioHeader& header);
std::vector<std::uint8_t> encode_cells(const TrackCellArray& cells);

inline constexpr std::size_t kCellBytes = 15;
inline constexpr std::size_t kEmptyRecordBytes = 34;

// One compiled file: its name and its bytes, possibly in several consecutive parts.
struct CompiledFile {
  std::string name;
  std::vector<std::span<const std::uint8_t>> parts;
};

}  // namespace tracciato
