#include "commands/report/report_plan.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/report/polyline_simplify.h"
#include "commands/report/report_marks.h"
#include "compile/row_checks.h"

namespace tracciato {

namespace {

constexpr double kWidth = 1000;
constexpr double kMaxHeight = 700;
constexpr double kMinHeight = 250;
constexpr double kMargin = 40;
constexpr std::size_t kSlowdownPoints = 200;
constexpr std::int32_t kKilometreStep = 10000;
// The line is drawn through at most this many of its points: every metre of a short one,
// every 100 m of 1,000 km, which strays less than 4 m from the sharpest curve; marks
// stand at their own metre.
constexpr std::int32_t kSamples = 10000;

// Label boxes as the page's font draws them, a little generous.
constexpr double kStationFont = 11, kKilometreFont = 10;
constexpr double kCharWidth = 0.62;

// The line's points in screen units, turned so that the line runs from left to right,
// read every `step` metres.
class PlanView {
 public:
  explicit PlanView(const GeometryTable& g)
      : g_(g), step_(std::max<std::int32_t>(1, (g.next_point() + kSamples - 1) / kSamples)) {
    const std::int32_t count = g.next_point();
    points_.reserve(static_cast<std::size_t>(count / step_) + 2);
    // Lateral to the right, the initial heading up the screen.
    for (std::int32_t m = 0; m < count; m += step_) points_.push_back(read(g, m));
    if ((count - 1) % step_ != 0) points_.push_back(read(g, count - 1));
    turn();
    fit();
  }

  const std::vector<Point>& points() const { return points_; }
  double height() const { return height_; }
  // The point of the line at a route position, clamped to the computed metres.
  Point at(std::int64_t position) const {
    const auto m = std::clamp<std::int64_t>(position, 0, g_.next_point() - 1);
    const Point p = read(g_, static_cast<std::int32_t>(m));
    const Point turned{p.x * cos_ + p.y * sin_, -p.x * sin_ + p.y * cos_};
    return {turned.x * scale_ + dx_, turned.y * scale_ + dy_};
  }
  std::span<const Point> between(std::int64_t start, std::int64_t end) const {
    const std::size_t a = index(start);
    const std::size_t b = std::max(a, index(end));
    return std::span<const Point>(points_).subspan(a, b - a + 1);
  }

 private:
  static Point read(const GeometryTable& g, std::int32_t m) {
    return {g.coordinate(m, 0).value_or(0), -g.coordinate(m, 1).value_or(0)};
  }

  std::size_t index(std::int64_t position) const {
    const auto i = (std::max<std::int64_t>(position, 0) + step_ / 2) / step_;
    return static_cast<std::size_t>(std::min<std::int64_t>(i, std::ssize(points_) - 1));
  }

  // A rotation only, never a mirror: right-hand curves stay right-hand curves.
  void turn() {
    const Point first = points_.front();
    const Point last = points_.back();
    const double angle = std::atan2(last.y - first.y, last.x - first.x);
    cos_ = std::cos(angle);
    sin_ = std::sin(angle);
    for (Point& p : points_) p = {p.x * cos_ + p.y * sin_, -p.x * sin_ + p.y * cos_};
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
    const double room = kWidth - 2 * kMargin;
    scale_ = std::min(room / w, (kMaxHeight - 2 * kMargin) / h);
    height_ = std::max(h * scale_ + 2 * kMargin, kMinHeight);
    dx_ = kMargin + (room - w * scale_) / 2 - left * scale_;
    dy_ = kMargin + (height_ - 2 * kMargin - h * scale_) / 2 - top * scale_;
    for (Point& p : points_) p = {p.x * scale_ + dx_, p.y * scale_ + dy_};
  }

  const GeometryTable& g_;
  std::int32_t step_;
  double cos_ = 1, sin_ = 0, scale_ = 1, dx_ = 0, dy_ = 0;
  double height_ = 0;
  std::vector<Point> points_;
};

std::vector<Point> simplified(std::span<const Point> points, std::size_t max_points) {
  std::vector<Point> kept;
  for (const std::size_t i : simplify_polyline(points, max_points, kPlanTolerance)) {
    kept.push_back(points[i]);
  }
  return kept;
}

// A mark the script moves as the plan zooms: a group translated to the mark's point.
void open_mark(SvgWriter& svg, const char* kind, std::int32_t position, Point p,
               std::vector<Attribute> extra = {}) {
  std::vector<Attribute> a = mark_attributes(kind, position);
  a.push_back({"transform", "translate(" + number(p.x) + "," + number(p.y) + ")"});
  a.insert(a.end(), extra.begin(), extra.end());
  svg.open("g", a);
}

void square(SvgWriter& svg, double half) {
  svg.leaf("rect", {{"x", number(-half)},
                    {"y", number(-half)},
                    {"width", number(2 * half)},
                    {"height", number(2 * half)}});
}

void draw_kilometres(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (std::int32_t k = 0; k <= c.route_length; k += kKilometreStep) {
    open_mark(svg, "km", k, view.at(k));
    svg.element("title", {}, metres(k) + " " + kilometre_text(c.kilometres, k));
    svg.leaf("circle", {{"r", "2.5"}});
    svg.close();
  }
}

void draw_slowdowns(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const SlowdownMark& s : c.slowdowns) {
    open_mark(svg, "slowdown", s.start, view.at(s.start),
              {{"data-speed", std::to_string(s.speed)}});
    svg.element("title", {}, slowdown_title(s));
    svg.leaf("circle", {{"r", "6"}});
    svg.close();
  }
}

void draw_spans(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const SlowdownMark& s : c.slowdowns) {
    svg.leaf("polyline",
             {{"class", "slowdown-span"},
              {"points", points_text(simplified(view.between(s.start, s.end), kSlowdownPoints))}});
  }
}

void draw_marks(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const SignboardMark& b : c.signboards) {
    open_mark(svg, "signboard", b.position, view.at(b.position));
    svg.element("title", {}, signboard_title(b, c.kilometres));
    square(svg, 2);
    svg.close();
  }
  for (const SignalMark& s : c.signals) {
    open_mark(svg, "signal", s.position, view.at(s.position),
              {{"data-signal", std::to_string(s.left)}});
    svg.element("title", {}, "signal, " + place_text(c.kilometres, s.position));
    square(svg, 2.5);
    svg.close();
  }
  draw_slowdowns(svg, view, c);
  for (const StationMark& s : c.stations) {
    open_mark(svg, "station", s.position, view.at(s.position));
    svg.element("title", {}, station_title(s, c.kilometres));
    svg.leaf("circle", {{"r", "4.5"}});
    svg.close();
  }
}

void draw_findings(SvgWriter& svg, const PlanView& view, const ReportContent& c) {
  for (const FindingMark& f : c.findings) {
    open_mark(svg, f.error ? "finding error-finding" : "finding warning-finding", f.position,
              view.at(f.position), {{"data-severity", f.error ? "error" : "warning"}});
    svg.element("title", {}, f.text);
    svg.leaf("path", {{"d", "M-6,-6 l12,12 m0,-12 l-12,12"}});
    svg.close();
  }
  if (!c.error_position) return;
  open_mark(svg, "error", *c.error_position, view.at(*c.error_position));
  svg.element("title", {}, error_title(*c.error_position));
  svg.leaf("path", {{"d", "M-8,-8 l16,16 m0,-16 l-16,16"}});
  svg.close();
}

std::vector<PlanLabel> label_requests(const PlanView& view, const ReportContent& c) {
  std::vector<PlanLabel> labels;
  const auto add = [&labels](std::string text, Point at, double font, int rank) {
    const double width = static_cast<double>(utf8_length(text)) * font * kCharWidth;
    labels.push_back({std::move(text), {at.x, at.y, width, font * 1.25, rank}, {}});
  };
  for (std::size_t i = 0; i < c.stations.size(); ++i) {
    const StationMark& s = c.stations[i];
    add(s.name, view.at(s.position), kStationFont, station_rank(s, i, c.stations.size()));
  }
  for (std::int32_t k = 0; k <= c.route_length; k += kKilometreStep) {
    add(std::to_string(k / 1000) + " km", view.at(k), kKilometreFont, 5);
  }
  return labels;
}

std::vector<PlanLabel> placed(const PlanView& view, const ReportContent& c) {
  std::vector<PlanLabel> labels = label_requests(view, c);
  std::vector<LabelRequest> requests;
  requests.reserve(labels.size());
  for (const PlanLabel& l : labels) requests.push_back(l.request);
  const std::vector<LabelPlace> places = place_labels(requests, {0, 0, kWidth, view.height()});
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i].place = places[i];
  return labels;
}

void draw_labels(SvgWriter& svg, const std::vector<PlanLabel>& labels) {
  svg.open("g", {{"class", "labels"}});
  for (const PlanLabel& l : labels) {
    const LabelRequest& r = l.request;
    std::vector<Attribute> a = {{"class", r.rank < 5 ? "label station-name" : "label km-label"},
                                {"data-x", number(r.anchor_x)},
                                {"data-y", number(r.anchor_y)},
                                {"data-rank", std::to_string(r.rank)},
                                {"x", number(l.place.left)},
                                {"y", number(l.place.top + r.height * 0.8)}};
    if (!l.place.shown) a.push_back({"visibility", "hidden"});
    svg.element("text", a, l.text);
  }
  svg.close();
}

}  // namespace

int station_rank(const StationMark& s, std::size_t index, std::size_t count) {
  if (index == 0 || index + 1 == count) return 0;
  if (s.kind >= 25) return 3;
  return s.stop > 0 ? 1 : 2;
}

std::vector<PlanLabel> plan_labels(const GeometryTable& geometry, const ReportContent& c) {
  return placed(PlanView(geometry), c);
}

void draw_plan(SvgWriter& svg, const GeometryTable& geometry, const ReportContent& c) {
  const PlanView view(geometry);
  svg.open("svg", {{"id", "plan"},
                   {"class", "view"},
                   {"xmlns", "http://www.w3.org/2000/svg"},
                   {"viewBox", "0 0 " + number(kWidth) + " " + number(view.height())},
                   {"width", number(kWidth)},
                   {"height", number(view.height())}});
  svg.leaf("rect", {{"class", "backdrop"}, {"width", "100%"}, {"height", "100%"}});
  svg.open("g", {{"class", "world"}});
  svg.leaf("polyline",
           {{"class", "line"}, {"points", points_text(simplified(view.points(), kPlanPoints))}});
  draw_spans(svg, view, c);
  svg.close();
  svg.open("g", {{"class", "marks"}});
  draw_kilometres(svg, view, c);
  draw_marks(svg, view, c);
  draw_findings(svg, view, c);
  svg.close();
  draw_labels(svg, placed(view, c));
  svg.close();
}

}  // namespace tracciato
