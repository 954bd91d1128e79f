#pragma once

#include <vector>

#include "commands/report/report_content.h"
#include "model/geometry_table.h"

namespace tracciato {

// The curves of the line as its geometry turns, metre by metre: each run of equal
// curvature becomes one curve, with the class whose curvature it has.
std::vector<CurveMark> read_curves(const GeometryTable& geometry);

// The radius of a curve class in metres, 0 for an unknown class.
int curve_radius(int curve_class);

}  // namespace tracciato
