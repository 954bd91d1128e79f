#include "commands/report/report_plan.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/report/polyline_simplify.h"
#include "commands/report/report_marks.h"

namespace tracciato {

namespace {

constexpr double kWidth = 1000;
constexpr double kMaxHeight = 700;
constexpr double kMinHeight = 250;
// Room for the slanted station names above and to the right of the line.
constexpr double kLeft = 30, kRight = 130, kTop = 90, kBottom = 30;
constexpr double kTolerance = 0.25;  // px: finer than a screen shows
constexpr std::size_t kSlowdownPoints = 100;
constexpr std::int32_t kKilometreStep = 10000;

// The line's points in screen units, turned so that the line runs from left to right.
class PlanView {
 public:
  explicit PlanView(const GeometryTable& g) {
    const std::int32_t count = g.next_point();
    points_.reserve(static_cast<std::size_t>(count));
    // Lateral to the right, the initial heading up the screen.
    for (std::int32_t m = 0; m < count; ++m) {
      points_.push_back({g.coordinate(m, 0).value_or(0), -g.coordinate(m, 1).value_or(0)});
    }
    turn();
    fit();
  }

  const std::vector<Point>& points() const { return points_; }
  double height() const { return height_; }
  // The point of the line at a route position, clamped to the computed metres.
  Point at(std::int64_t position) const {
    const auto m = std::clamp<std::int64_t>(position, 0, std::ssize(points_) - 1);
    return points_[static_cast<std::size_t>(m)];
  }
  std::span<const Point> between(std::int64_t start, std::int64_t end) const {
    const auto last = std::ssize(points_) - 1;
    const auto a = static_cast<std::size_t>(std::clamp<std::int64_t>(start, 0, last));
    const auto b = static_cast<std::size_t>(std::clamp<std::int64_t>(end, 0, last));
    return std::span<const Point>(points_).subspan(a, b - a + 1);
  }

 private:
  // A rotation only, never a mirror: right-hand curves stay right-hand curves.
  void turn() {
    const Point first = points_.front();
    const Point last = points_.back();
    const double angle = std::atan2(last.y - first.y, last.x - first.x);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (Point& p : points_) p = {p.x * c + p.y * s, -p.x * s + p.y * c};
  }

  void fit() {
    auto [min_x, max_x] = std::minmax_element(points_.begin(), points_.end(),
                                              [](Point a, Point b) { return a.x < b.x; });
    auto [min_y, max_y] = std::minmax_element(points_.begin(), points_.end(),
                                              [](Point a, Point b) { return a.y < b.y; });
    const double left = min_x->x;
    const double top = min_y->y;
    const double w = std::max(max_x->x - left, 1.0);
    const double h = std::max(max_y->y - top, 1.0);
    const double scale = std::min((kWidth - kLeft - kRight) / w, (kMaxHeight - kTop - kBottom) / h);
    height_ = std::max(h * scale + kTop + kBottom, kMinHeight);
    const double dx = kLeft + (kWidth - kLeft - kRight - w * scale) / 2 - left * scale;
    const double dy = kTop + (height_ - kTop - kBottom - h * scale) / 2 - top * scale;
    for (Point& p : points_) p = {p.x * scale + dx, p.y * scale + dy};
  }

  double height_ = 0;
  std::vector<Point> points_;
};

std::vector<Point> simplified(std::span<const Point> points, std::size_t max_points) {
  std::vector<Point> kept;
  for (const std::size_t i : simplify_polyline(points, max_points, kTolerance)) {
    kept.push_back(points[i]);
  }
  return kept;
}

void square(SvgWriter& svg, const char* kind, std::int32_t position, Point p, double half,
            const std::string& title) {
  std::vector<Attribute> a = mark_attributes(kind, position);
  a.push_back({"x", number(p.x - half)});
  a.push_back({"y", number(p.y - half)});
  a.push_back({"width", number(2 * half)});
  a.push_back({"height", number(2 * half)});
  svg.open("rect", a);
  svg.element("title", {}, title);
  svg.close();
}

// Station names slant up to the right, kilometres stand below the line.
void slanted_label(SvgWriter& svg, Point p, const std::string& text) {
  const std::string at = number(p.x + 4) + "," + number(p.y - 6);
  svg.element("text",
              {{"class", "station-name"}, {"transform", "translate(" + at + ") rotate(-40)"}},
              text);
}

void label_below(SvgWriter& svg, Point p, const std::string& text) {
  svg.element("text", {{"class", "km-label"}, {"x", number(p.x - 8)}, {"y", number(p.y + 14)}},
              text);
}

void draw_kilometres(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (std::int32_t k = 0; k <= c.route_length; k += kKilometreStep) {
    const Point p = view.at(k);
    std::vector<Attribute> a = mark_attributes("km", k);
    a.push_back({"cx", number(p.x)});
    a.push_back({"cy", number(p.y)});
    a.push_back({"r", "2.5"});
    svg.leaf("circle", a);
    label_below(svg, p, std::to_string(k / 1000) + " km");
  }
}

void draw_slowdowns(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const SlowdownMark& s : c.slowdowns) {
    std::vector<Attribute> a = mark_attributes("slowdown", s.start);
    a.push_back({"data-speed", std::to_string(s.speed)});
    svg.open("g", a);
    svg.element("title", {}, slowdown_title(s));
    const Point p = view.at(s.start);
    svg.leaf("circle", {{"cx", number(p.x)}, {"cy", number(p.y)}, {"r", "6"}});
    svg.leaf("polyline",
             {{"points", points_text(simplified(view.between(s.start, s.end), kSlowdownPoints))}});
    svg.close();
  }
}

void draw_marks(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const SignboardMark& b : c.signboards) {
    square(svg, "signboard", b.position, view.at(b.position), 2,
           "signboard " + b.text + ", " + std::to_string(b.position) + " m");
  }
  for (const SignalMark& s : c.signals) {
    square(svg, "signal", s.position, view.at(s.position), 2.5,
           "signal, " + std::to_string(s.position) + " m (cell " + std::to_string(s.cell) + ")");
  }
  draw_slowdowns(svg, view, c);
  for (const StationMark& s : c.stations) {
    const Point p = view.at(s.position);
    std::vector<Attribute> a = mark_attributes("station", s.position);
    a.push_back({"cx", number(p.x)});
    a.push_back({"cy", number(p.y)});
    a.push_back({"r", "4.5"});
    svg.open("circle", a);
    svg.element("title", {}, s.name + ", " + std::to_string(s.position) + " m");
    svg.close();
    slanted_label(svg, p, s.name);
  }
}

void draw_error(SvgWriter& svg, const PlanView& view, std::int32_t position) {
  const Point p = view.at(position);
  svg.open("g", mark_attributes("error", position));
  svg.element("title", {}, error_title(position));
  const std::string d = "M" + number(p.x - 8) + "," + number(p.y - 8) + " l16,16 m0,-16 l-16,16";
  svg.leaf("path", {{"d", d}});
  svg.close();
}

}  // namespace

void draw_plan(SvgWriter& svg, const GeometryTable& geometry, const ReportContent& c) {
  const PlanView view(geometry);
  svg.open("svg", {{"id", "plan"},
                   {"xmlns", "http://www.w3.org/2000/svg"},
                   {"viewBox", "0 0 " + number(kWidth) + " " + number(view.height())},
                   {"width", number(kWidth)},
                   {"height", number(view.height())}});
  svg.leaf("polyline",
           {{"class", "line"}, {"points", points_text(simplified(view.points(), kPlanPoints))}});
  draw_kilometres(svg, view, c);
  draw_marks(svg, view, c);
  if (c.error_position) draw_error(svg, view, *c.error_position);
  svg.close();
}

}  // namespace tracciato
