#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/check_observer.h"
#include "model/error_state.h"
#include "model/geometry_table.h"
#include "model/object_origins.h"
#include "model/scenario_header.h"
#include "model/track_cell_array.h"

namespace tracciato {

// Mountain stretches recorded so far in this compile (entries 1 to count).
struct MountainTable {
  static constexpr int kLastEntry = 80;
  std::int32_t mountain_count = 0;
  std::array<std::int32_t, kLastEntry + 1> mountain_starts{};
  std::array<std::int32_t, kLastEntry + 1> mountain_ends{};
};

// A row the steps after reading may need to point at: its position and where it stands.
struct RowSource {
  std::int32_t position = 0;
  SourceLocation at;
};

// A kilometric progressive as written, with where its start and kilometre stand: the
// compile reorders the progressives before it checks them.
struct ProgressiveSource {
  std::int32_t start = 0;
  std::int32_t kilometre = 0;
  std::int32_t direction = 0;
  SourceLocation start_at;
  SourceLocation kilometre_at;
};

// One compiled scenario in memory, with the state the compile steps share.
struct Scenario {
  std::string base_name;     // Windows-1252 bytes, as stored in the header
  std::string train_number;  // likewise
  // Whether the route length row also makes the geometry table; from then on the table's
  // presence says so.
  std::int32_t j = 1;
  ScenarioHeader header;
  TrackCellArray cells;
  std::optional<GeometryTable> geometry;
  std::int32_t route_span = 0;
  MountainTable mountains;
  // Header record for the next signboard text; the stations must stay below it.
  std::int32_t signboard_record = header_index::kFirstSignboard;
  ErrorState errors;
  // Rows that errors found after their own row may concern: the route length, which sets
  // where the track ends, the kilometric progressives as written, and the slowdowns,
  // whose code markers are placed after reading.
  RowSource route_length_row;
  std::vector<ProgressiveSource> progressive_rows;
  std::vector<RowSource> slowdown_rows;
  // The rows that wrote the objects and approach marks in the track.
  ObjectOrigins origins;
  // The first text read that no header record can hold: the compile fails with it as the
  // header is written, once every other check has passed.
  std::optional<ErrorState> overlong_text;
  // Set only when the checker runs the compile.
  CheckObserver* observer = nullptr;
};

}  // namespace tracciato
