#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "commands/report/svg_writer.h"

namespace tracciato {

// The indexes of the points to keep, in order, the first and the last always among them.
// Drops the point that matters least, the one nearest the line through its neighbours of
// the moment, again and again while that distance is within `tolerance` or while more than
// `max_points` (at least 2) remain. Takes O(n log n) whatever the shape.
std::vector<std::size_t> simplify_polyline(std::span<const Point> points, std::size_t max_points,
                                           double tolerance);

}  // namespace tracciato
