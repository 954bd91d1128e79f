#include <array>
#include <string>

#include "commands/report/report_marks.h"
#include "commands/report/report_profile.h"

namespace tracciato {

namespace {

constexpr double kAxis = 506;
constexpr int kMostTicks = 10;

// The finest of the round steps that keeps the ticks of [from, to] at kMostTicks at most.
std::int32_t tick_step(std::int32_t span) {
  constexpr std::array<std::int32_t, 13> kSteps = {50,    100,   200,   500,    1000,   2000,  5000,
                                                   10000, 20000, 50000, 100000, 200000, 500000};
  for (const std::int32_t step : kSteps) {
    if (span / step <= kMostTicks) return step;
  }
  return kSteps.back();
}

// "12 km", "12.5 km", "12.35 km": route kilometres to the step's precision.
std::string route_km(std::int32_t metres) {
  std::string text = std::to_string(metres / 1000);
  const std::int32_t rest = metres % 1000;
  if (rest != 0) {
    std::string part = std::to_string(rest);
    part.insert(0, 3 - part.size(), '0');
    while (part.back() == '0') part.pop_back();
    text += "." + part;
  }
  return text + " km";
}

}  // namespace

void draw_axis(SvgWriter& svg, const ReportContent& c, std::int32_t from, std::int32_t to) {
  const double scale = (kPlotRight - kPlotLeft) / std::max(to - from, 1);
  svg.open("g", {{"class", "axis-x"}});
  svg.leaf("line", {{"class", "axis"},
                    {"x1", number(kPlotLeft)},
                    {"y1", number(kAxis)},
                    {"x2", number(kPlotRight)},
                    {"y2", number(kAxis)}});
  const std::int32_t step = tick_step(to - from);
  for (std::int32_t m = (from + step - 1) / step * step; m <= to; m += step) {
    const double at = kPlotLeft + (m - from) * scale;
    const std::string x = number(at);
    // Near the right edge a label ends at its tick rather than straddling it.
    const std::string edge = at > kPlotRight - 40 ? " at-end" : "";
    svg.leaf("line", {{"class", "tick-mark"},
                      {"x1", x},
                      {"y1", number(kAxis)},
                      {"x2", x},
                      {"y2", number(kAxis + 5)}});
    svg.element("text", {{"class", "km-label" + edge}, {"x", x}, {"y", number(kAxis + 17)}},
                route_km(m));
    const std::string km = kilometre_text(c.kilometres, m);
    if (!km.empty()) {
      svg.element("text", {{"class", "line-km" + edge}, {"x", x}, {"y", number(kAxis + 31)}}, km);
    }
  }
  svg.close();
}

}  // namespace tracciato
