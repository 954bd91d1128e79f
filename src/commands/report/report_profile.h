#pragma once

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The profile along the route on one position axis, 10 px per km: the line speed limit
// with the slowdowns at their speeds, the gradient, the stations, signals and mountain
// stretches, every 10th kilometre and the error position. Each profile is a step path with
// one step per change of value, so never more steps than cells. Each mark carries
// data-kind and data-position. The scenario must have cells.
void draw_profile(SvgWriter& svg, const ReportContent& c);

}  // namespace tracciato
