#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "commands/report/label_placement.h"
#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"
#include "model/geometry_table.h"

namespace tracciato {

// The line is simplified to at most this many points, within kPlanTolerance of the
// drawing at its first size: close enough to zoom in eight times before a bend shows.
inline constexpr std::size_t kPlanPoints = 20000;
inline constexpr double kPlanTolerance = 0.05;  // px at the first size

// A text of the plan: a station's name or a kilometre, placed apart from the others.
struct PlanLabel {
  std::string text;
  LabelRequest request;
  LabelPlace place;
};

// The plan of the line drawn from the geometry table, with the stations, signals,
// slowdowns, signboards, every 10th kilometre, the findings and the error position
// marked along it. Each mark carries data-kind, data-position and its point (data-x,
// data-y); the line sits in a group the page's script scales, the marks and labels are
// moved by it. The table must hold its seed points.
void draw_plan(SvgWriter& svg, const GeometryTable& geometry, const ReportContent& c);

// The plan's labels at the first size, placed so that no two shown ones overlap.
std::vector<PlanLabel> plan_labels(const GeometryTable& geometry, const ReportContent& c);

// A station's rank among the labels: the ends first, then stops, then stations passed.
int station_rank(const StationMark& s, std::size_t index, std::size_t count);

}  // namespace tracciato
