#pragma once

#include <cstddef>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"
#include "model/geometry_table.h"

namespace tracciato {

inline constexpr std::size_t kPlanPoints = 5000;

// The plan of the line drawn from the geometry table (the line simplified to at most
// kPlanPoints points), with the stations, signals, slowdowns, signboards, every 10th
// kilometre and the error position marked along it. Each mark carries data-kind and
// data-position. The table must hold its seed points.
void draw_plan(SvgWriter& svg, const GeometryTable& geometry, const ReportContent& c);

}  // namespace tracciato
