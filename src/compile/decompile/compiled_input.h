#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/scenario_header.h"
#include "model/track_cell_array.h"

namespace tracciato {

// The bytes of one compiled set, as read.
struct CompiledSet {
  std::span<const std::uint8_t> header;
  std::span<const std::uint8_t> cells;
  std::optional<std::span<const std::uint8_t>> geometry;  // absent: compiled without it
};

// The header and cells of a set, decoded. Throws DecodeError for a damaged file.
struct CompiledInput {
  ScenarioHeader header;
  std::vector<TrackCell> cells;
  // P, the last cell index.
  std::int64_t last_index() const { return static_cast<std::int64_t>(cells.size()) - 1; }
};
CompiledInput read_compiled(const CompiledSet& set);

// Why the decompiler could not give a row for something the set holds, by the place it
// stands, so that a difference found there can say why no description gives it.
struct Unexplained {
  std::map<std::int64_t, std::string> cells;                     // by cell index
  std::map<int, std::string> records;                            // by header record index
  std::optional<std::pair<std::int64_t, std::string>> geometry;  // the first metre
  void cell(std::int64_t i, std::string why) { cells.emplace(i, std::move(why)); }
  void record(int i, std::string why) { records.emplace(i, std::move(why)); }
};

}  // namespace tracciato
