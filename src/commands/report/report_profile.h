#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The profile's drawing: a viewBox of kProfileWidth x kProfileHeight px, lane names in the
// left gutter, the route from kPlotLeft to kPlotRight.
inline constexpr double kProfileWidth = 1200;
inline constexpr double kProfileHeight = 560;
inline constexpr double kPlotLeft = 120;
inline constexpr double kPlotRight = 1190;

// Where the profile ends: the route's length, or further where a station's platform or
// another object lies beyond it.
std::int32_t profile_end(const ReportContent& c);

// The profile along the route in lanes (g.lane, data-lane): the speed limit dipping at each
// slowdown, the gradient, the elevation, curves, signals, signboards, mountain stretches
// and stations with their platforms; the findings and the error position across them.
// The lanes are drawn in route metres inside #profile-data, which the page's script
// scales to the range shown and the print pages reuse; texts stand outside it, each at
// its data-at metres. Each mark carries data-kind and data-position. The scenario must
// have cells.
void draw_profile(SvgWriter& svg, const ReportContent& c);

// A text of a lane, placed by its route metres; the page's script moves it as the view
// zooms.
struct LaneText {
  std::int32_t at = 0;
  double y = 0;  // the top of its row
  std::string text;
  const char* css = "lane-text";
};

// Every lane's texts (station names, slowdown speeds, curve classes, signal values,
// signboard texts), row by row.
std::vector<LaneText> lane_texts(const ReportContent& c);

// The texts of [from, to], thinned so that none overlaps the one before it in its row:
// those thinned away hidden, or left out unless `hidden_too`.
void draw_lane_texts(SvgWriter& svg, const std::vector<LaneText>& texts, std::int32_t from,
                     std::int32_t to, bool hidden_too);

// The kilometre axis of the range [from, to] drawn at x from kPlotLeft to kPlotRight.
void draw_axis(SvgWriter& svg, const ReportContent& c, std::int32_t from, std::int32_t to);

// The lane names in the left gutter.
void draw_lane_names(SvgWriter& svg);

}  // namespace tracciato
