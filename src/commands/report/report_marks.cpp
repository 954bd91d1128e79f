#include "commands/report/report_marks.h"

#include <cmath>

#include "commands/report/report_curves.h"
#include "compile/row_checks.h"

namespace tracciato {

namespace {

std::string aspects(const std::array<int, 3>& a) {
  return std::to_string(a[0]) + " " + std::to_string(a[1]) + " " + std::to_string(a[2]);
}

}  // namespace

std::vector<Attribute> mark_attributes(const char* kind, std::int32_t position) {
  std::string first(kind);
  first = first.substr(0, first.find(' '));
  return {{"class", kind}, {"data-kind", first}, {"data-position", std::to_string(position)}};
}

std::string place_text(const LineKilometres& k, std::int64_t position) {
  const std::string km = kilometre_text(k, position);
  return metres(position) + (km.empty() ? "" : " (" + km + ")");
}

std::string slowdown_title(const SlowdownMark& s) {
  return "slowdown " + std::to_string(s.speed) + " km/h, " + std::to_string(s.start) + " to " +
         std::to_string(s.end) + " m";
}

std::string error_title(std::int32_t position) {
  return "error position, " + std::to_string(position) + " m";
}

std::string station_title(const StationMark& s, const LineKilometres& k) {
  return s.name + ", " + std::to_string(s.position) + " m" +
         (kilometre_text(k, s.position).empty() ? "" : " (" + kilometre_text(k, s.position) + ")") +
         "; platform " + metres(s.platform_start) + " to " + metres(s.platform_end);
}

std::string signal_values(const SignalMark& s) {
  std::string text = std::to_string(s.left) + ": " + aspects(s.left_aspects);
  if (s.right != 0) text += " | " + std::to_string(s.right) + ": " + aspects(s.right_aspects);
  return text;
}

std::string signal_title(const SignalMark& s, const LineKilometres& k) {
  std::string text = "signal at " + place_text(k, s.position) + ", cell " + std::to_string(s.cell) +
                     "; left " + std::to_string(s.left) + ": " + aspects(s.left_aspects);
  if (s.right != 0) text += ", right " + std::to_string(s.right) + ": " + aspects(s.right_aspects);
  if (s.ratio != 0) text += ", ratio " + std::to_string(s.ratio);
  if (s.timer != 0) text += ", timer " + std::to_string(s.timer);
  return text;
}

std::string signboard_title(const SignboardMark& b, const LineKilometres& k) {
  return "signboard " + b.text + ", " + std::to_string(b.position) + " m" +
         (kilometre_text(k, b.position).empty() ? "" : " (" + kilometre_text(k, b.position) + ")");
}

std::string curve_title(const CurveMark& c) {
  std::string text = std::string(c.left ? "left" : "right") + " curve";
  if (c.curve_class != 0) text += ", class " + std::to_string(c.curve_class);
  const int radius = c.curve_class != 0 ? curve_radius(c.curve_class)
                                        : static_cast<int>(std::lround(1 / std::abs(c.curvature)));
  return text + ", radius " + metres(radius) + ", " + std::to_string(c.start) + " to " +
         metres(c.end);
}

std::size_t utf8_length(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace tracciato
