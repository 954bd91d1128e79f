#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compile/row_kinds.h"
#include "model/scenario.h"

namespace tracciato {

// What the rows of both descriptions check alike.

// A route position as an author reads it: "5,000 m", with the line's kilometre after it
// where the progressives give one: "5,000 m (km 135+618)".
std::string route_place(const Scenario& scenario, std::int64_t p);
// Metres with thousands separated: "16,900 m".
std::string metres(std::int64_t p);
// Seconds after midnight as "14:10:00".
std::string time_of_day(std::int64_t seconds);

// Records `code` for cell `i`, taken: `what` ("the signal at 1,950 m") shares its 50 m
// cell with what the cell holds; the cell's index goes in a note. The row's `position` is
// the error position when given.
void record_cell_taken(Scenario& scenario, std::int64_t i, std::int32_t code,
                       const std::string& what, std::optional<std::int32_t> position,
                       const SourceLocation& at);

// The cell an object goes into, when it is free; otherwise records `code` and gives
// nothing. `what()` and `at()` are made only then, so a compile that succeeds pays
// nothing for its messages.
template <typename What, typename At = SourceLocation (*)()>
TrackCell* claim_cell(
    Scenario& scenario, std::int64_t i, std::int32_t code, What&& what,
    std::optional<std::int32_t> position = {}, At&& at = [] { return SourceLocation{}; }) {
  TrackCell& cell = scenario.cells.at(i);
  if (scenario.cells.is_free(i)) return &cell;
  record_cell_taken(scenario, i, code, what(), position, at());
  return nullptr;
}

// Records 15 for a row whose object lies past the last cell, with the furthest metre
// where a row of its kind may stand and the route length row that sets it.
void record_beyond_route(Scenario& scenario, const RowKind& row, std::int32_t p,
                         const SourceLocation& at);
// A note at the route length row, which sets where the track ends.
void note_route_length(Scenario& scenario);

}  // namespace tracciato
