#pragma once

#include <cstdint>
#include <vector>

namespace tracciato {

// One row of a run profile (gradient, speed, adhesion): its value from cell `cell` on.
struct RunRow {
  std::int64_t cell = 0;
  std::uint8_t stored = 0;
};

// The fewest rows whose fill gives the profile's bytes, one per change: the first at cell
// 0; the compile fills the last value up to cell P - 3, and a cell beyond that holds a
// value only when rows at cell P - 2 carried the fill on, one cell per row.
std::vector<RunRow> run_rows(const std::vector<std::uint8_t>& stored);

}  // namespace tracciato
