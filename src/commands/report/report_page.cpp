#include "commands/report/report_page.h"

#include "cli/diagnostic.h"
#include "commands/report/report_content.h"
#include "commands/report/report_plan.h"
#include "commands/report/report_profile.h"
#include "commands/report/report_timetable.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

namespace {

// Nothing but the inline style may load: a reference to anything else is refused.
constexpr const char* kPolicy = "default-src 'none'; style-src 'unsafe-inline'";

constexpr const char* kStyle = R"(
body { font-family: sans-serif; margin: 16px; color: #222; }
h1 { font-size: 20px; } h2 { font-size: 16px; margin: 24px 0 8px; }
.failure { border: 2px solid #c00; background: #fee; padding: 4px 12px; }
.failure pre { white-space: pre-wrap; }
.scroll { overflow-x: auto; border: 1px solid #ccc; }
#plan { border: 1px solid #ccc; max-width: 100%; height: auto; }
svg text { font-size: 10px; fill: #333; }
.line { fill: none; stroke: #345; stroke-width: 1.5; }
.station { fill: #fff; stroke: #000; stroke-width: 1.5; }
.station-name { font-size: 11px; font-weight: bold; paint-order: stroke; stroke: #fff; stroke-width: 3px; }
.signal { fill: #1a7f37; stroke: #1a7f37; stroke-width: 1.5; }
.slowdown { fill: #d00; stroke: #d00; }
#plan .slowdown polyline { fill: none; stroke-width: 5; }
#plan .slowdown circle { fill: none; stroke-width: 2; }
.signboard { fill: #a060c0; }
.km { fill: #888; } .km-label { fill: #666; }
.mountain { fill: #8b5a2b; } .mountain-band { fill: #8b5a2b; opacity: 0.12; }
.speed-limit { fill: none; stroke: #0550ae; stroke-width: 1.5; }
.gradient { fill: none; stroke: #6a3; stroke-width: 1.5; }
.grid { stroke: #e4e4e4; } .zero, .frame, .axis, .tick-mark { stroke: #999; }
.tick { text-anchor: end; } .lane-label { font-weight: bold; }
.guide { stroke: #ccc; stroke-dasharray: 2 3; }
.route-end { stroke: #555; stroke-dasharray: 6 3; }
.error { fill: #c00; stroke: #c00; stroke-width: 3; } .error text { stroke: none; }
.error-line { stroke-width: 2; }
.legend span { margin-right: 14px; }
table { border-collapse: collapse; font-size: 13px; }
th, td { border: 1px solid #ccc; padding: 2px 8px; text-align: right; }
td.name { text-align: left; }
)";

std::string summary(const ReportContent& c) {
  return "Route " + std::to_string(c.route_length) + " m; " + std::to_string(c.stations.size()) +
         " stations, " + std::to_string(c.signals.size()) + " signals, " +
         std::to_string(c.slowdowns.size()) + " slowdowns, " + std::to_string(c.signboards.size()) +
         " signboards, " + std::to_string(c.mountains.size()) +
         " mountain stretches. Train: " + std::to_string(c.cars) + " cars, braked mass " +
         std::to_string(c.braked_mass) + " %, start at " + clock_time(c.start_clock) + ".";
}

void head(SvgWriter& html, const ReportContent& c) {
  html.raw("<!DOCTYPE html>\n");
  html.open("html", {{"lang", "en"}});
  html.open("head");
  html.leaf("meta", {{"charset", "utf-8"}});
  html.leaf("meta", {{"http-equiv", "Content-Security-Policy"}, {"content", kPolicy}});
  html.element("title", {}, c.base_name + " " + c.train_number + ": scenario report");
  html.open("style");
  html.raw(kStyle);
  html.close();
  html.close();
}

void failure(SvgWriter& html, const ErrorState& errors) {
  html.open("section", {{"class", "failure"}, {"id", "failure"}});
  html.element("h2", {}, "The compile failed");
  html.element("pre", {}, error_message(errors.error_code) + "\n" + format_diagnostic(errors));
  html.element("p", {},
               errors.position_recorded
                   ? "The error position is marked in red on the plan and the profile, which "
                     "show the scenario as far as the compile got."
                   : "The plan and the profile show the scenario as far as the compile got.");
  html.close();
}

void legend(SvgWriter& html) {
  html.open("p", {{"class", "legend"}});
  for (const auto& [css, text] : {std::pair{"station", " station"},
                                  {"signal", " signal"},
                                  {"slowdown", " slowdown"},
                                  {"signboard", " signboard"},
                                  {"km", " every 10 km"}}) {
    html.open("span");
    html.open("svg", {{"width", "10"}, {"height", "10"}});
    html.leaf("rect", {{"class", css}, {"width", "10"}, {"height", "10"}});
    html.close();
    html.text(text);
    html.close();
  }
  html.close();
}

void plan(SvgWriter& html, const Scenario& s, const ReportContent& c) {
  html.element("h2", {}, "Plan");
  if (!s.geometry || !s.geometry->coordinate(1, 1)) {
    html.element("p", {}, "No plan: the compile stopped before the line's geometry.");
    return;
  }
  legend(html);
  draw_plan(html, *s.geometry, c);
}

void profile(SvgWriter& html, const ReportContent& c) {
  html.element("h2", {}, "Profile");
  if (c.cells_end <= 0) {
    html.element("p", {}, "No profile: the compile stopped before the route length.");
    return;
  }
  html.open("div", {{"class", "scroll"}});
  draw_profile(html, c);
  html.close();
}

}  // namespace

std::string report_page(const Scenario& s) {
  const ReportContent c = read_content(s);
  SvgWriter html;
  head(html, c);
  html.open("body");
  html.element("h1", {}, c.base_name + ", train " + c.train_number);
  html.element("p", {{"id", "summary"}}, summary(c));
  if (s.errors.failed()) failure(html, s.errors);
  plan(html, s, c);
  profile(html, c);
  html.element("h2", {}, "Timetable");
  write_timetable(html, c);
  html.close();
  html.close();
  return html.finish();
}

}  // namespace tracciato
