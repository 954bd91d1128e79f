#include "commands/report/report_page.h"

#include <ostream>
#include <sstream>

#include "base/cp1252.h"
#include "cli/diagnostic.h"
#include "commands/report/report_assets.h"
#include "commands/report/report_content.h"
#include "commands/report/report_findings.h"
#include "commands/report/report_plan.h"
#include "commands/report/report_print.h"
#include "commands/report/report_profile.h"
#include "commands/report/report_timetable.h"
#include "commands/report/report_values.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

namespace {

// Nothing but the inline style and script may run or load.
constexpr const char* kPolicy =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'";

std::string summary(const ReportContent& c) {
  return "Route " + std::to_string(c.route_length) + " m; " + std::to_string(c.stations.size()) +
         " stations, " + std::to_string(c.signals.size()) + " signals, " +
         std::to_string(c.slowdowns.size()) + " slowdowns, " + std::to_string(c.signboards.size()) +
         " signboards, " + std::to_string(c.mountains.size()) +
         " mountain stretches. Train: " + std::to_string(c.cars) + " cars, braked mass " +
         std::to_string(c.braked_mass) + " %, start at " + clock_time(c.start_clock) + ".";
}

std::string title_of(const ReportContent& c) {
  return c.base_name + ", train " + c.train_number;
}

void head(SvgWriter& html, const ReportContent& c) {
  html.raw("<!DOCTYPE html>\n");
  html.open("html", {{"lang", "en"}});
  html.open("head");
  html.leaf("meta", {{"charset", "utf-8"}});
  html.leaf("meta", {{"http-equiv", "Content-Security-Policy"}, {"content", kPolicy}});
  html.element("title", {}, c.base_name + " " + c.train_number + ": scenario report");
  html.open("style");
  html.raw(kReportStyle);
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

void toolbar(SvgWriter& html, const char* view) {
  html.open("div", {{"class", "toolbar"}, {"data-view", view}});
  html.element("button", {{"class", "zoom-in"}, {"type", "button"}, {"title", "zoom in"}}, "+");
  html.element("button", {{"class", "zoom-out"}, {"type", "button"}, {"title", "zoom out"}},
               "\u2212");
  html.element("button", {{"class", "zoom-reset"}, {"type", "button"}, {"title", "whole route"}},
               "whole route");
  html.element("span", {{"class", "hint"}}, "wheel to zoom, drag to pan");
  html.close();
}

void plan(SvgWriter& html, const Scenario& s, const ReportContent& c) {
  html.element("h2", {}, "Plan");
  if (!s.geometry || !s.geometry->coordinate(1, 1)) {
    html.element("p", {}, "No plan: the compile stopped before the line's geometry.");
    return;
  }
  toolbar(html, "plan");
  html.open("div", {{"class", "frame"}});
  draw_plan(html, *s.geometry, c);
  html.close();
}

void legend(SvgWriter& html) {
  html.open("div", {{"id", "legend"}});
  for (const auto& [lane, colour, text] :
       {std::tuple{"speed", "#0550ae", "speed limit, dipping at each slowdown (red band)"},
        {"gradient", "#4a8a22", "gradient, per mille"},
        {"elevation", "#8b5a2b", "elevation from the gradients, metres above the start"},
        {"curves", "#7a4bc2", "curves: right above, left below; class and radius"},
        {"signals", "#1a7f37",
         "signals: height and colour by left kind, dashes by right kind; "
         "kind: aspects"},
        {"signboards", "#a060c0", "signboards with their text"},
        {"mountains", "#8b5a2b", "mountain stretches"},
        {"stations", "#cfd8e3", "stations with their platforms"}}) {
    html.open("span", {{"data-legend", lane}});
    html.element("i", {{"class", "swatch"}, {"style", std::string("background:") + colour}}, "");
    html.text(text);
    html.close();
  }
  html.close();
}

void profile(SvgWriter& html, const ReportContent& c) {
  html.element("h2", {}, "Profile");
  if (c.cells_end <= 0) {
    html.element("p", {}, "No profile: the compile stopped before the route length.");
    return;
  }
  legend(html);
  toolbar(html, "profile");
  html.element("div", {{"id", "readout"}}, "Point at the profile to read it.");
  html.open("div", {{"class", "frame screen-only"}});
  draw_profile(html, c);
  html.close();
  write_profile_values(html, c, profile_end(c));
}

void body(SvgWriter& html, const Scenario& s, const ReportContent& c, const FindingList& f,
          std::string_view drawn_from) {
  html.open("body");
  html.element("h1", {}, title_of(c));
  html.element("p", {{"id", "summary"}}, summary(c));
  if (!drawn_from.empty()) html.element("p", {{"id", "drawn-from"}}, drawn_from);
  if (s.errors.failed()) failure(html, s.errors);
  write_findings(html, f, c.kilometres);
  plan(html, s, c);
  profile(html, c);
  if (c.cells_end > 0) write_print_profile(html, c, title_of(c));
  html.element("h2", {}, "Timetable");
  write_timetable(html, c);
  html.open("script");
  html.raw(kReportScript);
  html.close();
  html.close();
}

}  // namespace

void write_report_page(std::ostream& out, const Scenario& s, const FindingList& findings,
                       std::string_view drawn_from) {
  ReportContent c = read_content(s);
  c.findings = finding_marks(findings);
  SvgWriter html(out);
  head(html, c);
  body(html, s, c, findings, drawn_from);
  html.close();
  html.finish();
}

std::string report_page(const Scenario& s, const FindingList& findings,
                        std::string_view drawn_from) {
  std::ostringstream out;
  write_report_page(out, s, findings, drawn_from);
  return std::move(out).str();
}

}  // namespace tracciato
