#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "compile/decompile/compiled_input.h"

namespace tracciato {

// A curve row: the plan curves from metre `start` + 1 to `start` + `length` with the
// curvature of its class (1 to 6), to the left when `left`.
struct CurveRow {
  std::int64_t start = 0;
  std::int64_t length = 0;
  int curve_class = 1;
  bool left = false;
};

// The curve rows that draw a geometry file's points, fewest first: each metre's point is
// one step of a class, or straight, from the two before it; the straight runs between
// curves are the compile's own. What no row draws is told in `why`. Throws DecodeError
// for a file damaged past reading.
std::vector<CurveRow> curve_rows(std::span<const std::uint8_t> geometry, std::int64_t route_span,
                                 Unexplained& why);

}  // namespace tracciato
