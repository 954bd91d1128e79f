#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/rounding.h"
#include "model/scenario_header.h"

namespace tracciato {

// Where things are: route metres, track cells and the line's own kilometres.

// One track cell covers 50 m of route.
inline constexpr std::int32_t kCellLength = 50;

// A run (gradient, speed, adhesion, mountain) that begins at p is written from cell p / 50.
inline std::int64_t run_cell(std::int64_t p) {
  return round_to<std::int64_t>(static_cast<double>(p) / kCellLength, "cell index");
}
// A point object (signal, board, signboard, slowdown cell) at p goes in cell p / 50 + 1.
inline std::int64_t point_cell(std::int64_t p) {
  return round_to<std::int64_t>(static_cast<double>(p) / kCellLength + 1, "cell index");
}
// Where a point object in cell i stands: cell 1 holds what stands at 0 m.
constexpr std::int64_t point_position(std::int64_t i) {
  return (i - 1) * kCellLength;
}

// The route metres a cell's run values cover: from `from` up to, not including, `to`.
struct CellSpan {
  std::int64_t from = 0;
  std::int64_t to = 0;
};
constexpr CellSpan run_span(std::int64_t i) {
  return {i * kCellLength, (i + 1) * kCellLength};
}

constexpr bool on_cell_grid(std::int64_t p) {
  return p % kCellLength == 0;
}

// True when an object at p, `reach` metres long, ends within the array: (p + reach) / 50
// does not pass the last cell index.
inline bool within_route(std::int64_t p, std::int64_t reach, std::int64_t last_index) {
  return static_cast<double>(last_index) >= static_cast<double>(p + reach) / kCellLength;
}

// One of the line's kilometric numberings: from route position `start` on, the line's
// kilometre (in metres) counts from `value`, down the route when `decreasing`.
struct KilometricProgressive {
  std::int32_t start = 0;
  std::int32_t value = 0;
  bool decreasing = false;
};

// The compiler stores a decreasing progressive's value 100 m further on than the author
// wrote it; this is the one place that knows.
inline constexpr std::int32_t kDecreasingValueShift = 100;

// The line's kilometres along the route, from the progressives as the author wrote them.
class LineKilometres {
 public:
  // From the compiled header records 81 to 83.
  static LineKilometres from_header(const ScenarioHeader& header);
  // From the progressives as written; unused ones are all zero.
  explicit LineKilometres(const std::array<KilometricProgressive, 3>& written);

  // The line's kilometre at a route position, in metres; nothing before the first
  // progressive or on a line without any.
  std::optional<std::int64_t> kilometre_at(std::int64_t route_metres) const;
  // The route position of a kilometre in the progressive that holds it, the first such.
  std::optional<std::int64_t> route_at(std::int64_t kilometre) const;

 private:
  const KilometricProgressive* governing(std::int64_t route_metres) const;
  std::array<KilometricProgressive, 3> used_{};
  std::size_t count_ = 0;
};

// The railway's form of a kilometre: 135618 m is "km 135+618".
std::string railway_kilometre(std::int64_t metres);

}  // namespace tracciato
