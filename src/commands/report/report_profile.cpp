#include "commands/report/report_profile.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/report/polyline_simplify.h"
#include "commands/report/report_curves.h"
#include "commands/report/report_marks.h"
#include "compile/row_checks.h"

namespace tracciato {

namespace {

constexpr double kPlotWidth = kPlotRight - kPlotLeft;

// Each lane's band, in px from the top.
struct Band {
  const char* lane;
  const char* name;
  double top;
  double bottom;
};
constexpr Band kStations{"stations", "stations", 14, 60};
constexpr Band kSpeed{"speed", "speed km/h", 70, 190};
constexpr Band kGradient{"gradient", "gradient \u2030", 205, 275};
constexpr Band kElevation{"elevation", "elevation m", 290, 360};
constexpr Band kCurves{"curves", "curves", 372, 404};
constexpr Band kSignals{"signals", "signals", 414, 446};
constexpr Band kSignboards{"signboards", "signboards", 454, 478};
constexpr Band kMountains{"mountains", "mountains", 486, 498};
constexpr double kAxisTop = 506;
constexpr std::array<Band, 8> kBands = {kStations, kSpeed,   kGradient,   kElevation,
                                        kCurves,   kSignals, kSignboards, kMountains};

constexpr double kTextHeight = 11;
constexpr double kDetail = 64;            // the zoom the elevation is drawn for
constexpr double kDetailTolerance = 0.2;  // px at that zoom
constexpr double kCharWidth = 5.6;        // px per character at the lane texts' size

struct ValueScale {
  double low, high, top, bottom;
  double operator()(double v) const { return bottom - (v - low) / (high - low) * (bottom - top); }
};

// A mark of the profile: countable by data-kind, styled by its lane.
std::vector<Attribute> profile_mark(const char* kind, std::int32_t position) {
  return {{"data-kind", kind}, {"data-position", std::to_string(position)}};
}

// "5 R500": the class and the radius in metres; the radius alone for an unknown class.
std::string curve_label(const CurveMark& k) {
  if (k.curve_class != 0) {
    return std::to_string(k.curve_class) + " R" + std::to_string(curve_radius(k.curve_class));
  }
  return "R" + std::to_string(std::lround(1 / std::abs(k.curvature)));
}

class Profile {
 public:
  Profile(SvgWriter& svg, const ReportContent& c)
      : svg_(svg), c_(c), end_(profile_end(c)), scale_(kPlotWidth / std::max(end_, 1)) {}

  void draw() {
    svg_.open("svg", {{"id", "profile"},
                      {"class", "view"},
                      {"xmlns", "http://www.w3.org/2000/svg"},
                      {"viewBox", "0 0 " + number(kProfileWidth) + " " + number(kProfileHeight)},
                      {"width", number(kProfileWidth)},
                      {"height", number(kProfileHeight)},
                      {"data-from", "0"},
                      {"data-to", std::to_string(end_)},
                      {"data-end", std::to_string(end_)},
                      {"data-left", number(kPlotLeft)},
                      {"data-right", number(kPlotRight)}});
    svg_.open("defs");
    svg_.open("clipPath", {{"id", "plot-clip"}});
    svg_.leaf("rect", {{"x", number(kPlotLeft)},
                       {"y", "0"},
                       {"width", number(kPlotWidth)},
                       {"height", number(kProfileHeight)}});
    svg_.close();
    svg_.close();
    svg_.leaf("rect", {{"class", "backdrop"}, {"width", "100%"}, {"height", "100%"}});
    draw_lane_names(svg_);
    svg_.open("g", {{"clip-path", "url(#plot-clip)"}});
    svg_.open("g", {{"class", "zoom"}, {"transform", transform()}});
    svg_.open("g", {{"id", "profile-data"}});
    lanes();
    marks();
    svg_.close();
    svg_.close();
    draw_lane_texts(svg_, lane_texts(c_), 0, end_, true);
    svg_.close();
    ticks();
    draw_axis(svg_, c_, 0, end_);
    svg_.leaf("line", {{"class", "cursor"},
                       {"x1", "0"},
                       {"x2", "0"},
                       {"y1", "0"},
                       {"y2", number(kAxisTop)},
                       {"visibility", "hidden"}});
    svg_.close();
  }

 private:
  std::string transform() const {
    return "translate(" + number(kPlotLeft) + ",0) scale(" + precise(scale_) + ",1)";
  }

  void open_lane(const Band& b, const char* stroke, const char* fill, const char* width = "1.5") {
    svg_.open("g", {{"class", "lane"},
                    {"data-lane", b.lane},
                    {"stroke", stroke},
                    {"fill", fill},
                    {"stroke-width", width}});
  }

  void line(std::vector<Attribute> a, double x1, double y1, double x2, double y2) {
    a.insert(a.end(),
             {{"x1", number(x1)}, {"y1", number(y1)}, {"x2", number(x2)}, {"y2", number(y2)}});
    svg_.leaf("line", a);
  }

  void rect(std::vector<Attribute> a, double x, double y, double w, double h) {
    a.insert(a.end(),
             {{"x", number(x)}, {"y", number(y)}, {"width", number(w)}, {"height", number(h)}});
    svg_.leaf("rect", a);
  }

  // One step per stretch: "M x,y H x V y H x ...".
  void steps(const char* css, const std::vector<Stretch>& stretches, const ValueScale& y) {
    if (stretches.empty()) return;
    std::string d = "M" + number(stretches.front().start) + "," + number(y(stretches[0].value));
    for (std::size_t i = 0; i < stretches.size(); ++i) {
      d += " H" + std::to_string(stretches[i].end);
      if (i + 1 < stretches.size()) d += " V" + number(y(stretches[i + 1].value));
    }
    svg_.leaf("path", {{"class", css}, {"d", d}, {"fill", "none"}});
  }

  void lanes() {
    stations();
    speed();
    gradient();
    elevation();
    curves();
    signals();
    signboards();
    mountains();
  }

  void stations() {
    open_lane(kStations, "#000", "#cfd8e3", "1");
    for (const StationMark& s : c_.stations) {
      rect({{"class", "platform"}}, s.platform_start, kStations.bottom - 8,
           std::max(s.platform_end - s.platform_start, 1), 8);
      std::vector<Attribute> a = profile_mark("station", s.position);
      a.insert(a.end(), {{"x1", std::to_string(s.position)},
                         {"y1", number(kStations.bottom - 14)},
                         {"x2", std::to_string(s.position)},
                         {"y2", number(kAxisTop)},
                         {"stroke", "#9aa"},
                         {"stroke-dasharray", "2 3"}});
      svg_.open("line", a);
      svg_.element("title", {}, station_title(s, c_.kilometres));
      svg_.close();
    }
    svg_.close();
  }

  void speed() {
    int top = 20;
    for (const Stretch& s : c_.speed) top = std::max(top, s.value);
    const int high = (top + 19) / 20 * 20;
    const ValueScale y{0, static_cast<double>(high), kSpeed.top, kSpeed.bottom};
    open_lane(kSpeed, "#0550ae", "none");
    for (int v = 0; v <= high; v += high > 100 ? 40 : 20) grid(v, y);
    steps("speed-limit", c_.limit, y);
    for (const SlowdownMark& s : c_.slowdowns) {
      std::vector<Attribute> a = profile_mark("slowdown", s.start);
      a.push_back({"data-speed", std::to_string(s.speed)});
      svg_.open("g", a);
      svg_.element("title", {}, slowdown_title(s));
      rect({{"fill", "#d00"}, {"stroke", "none"}, {"opacity", "0.25"}}, s.start, kSpeed.top,
           std::max(s.end - s.start, kCellLength), kSpeed.bottom - kSpeed.top);
      svg_.close();
    }
    svg_.close();
  }

  void grid(double v, const ValueScale& y) {
    line({{"stroke", v == 0 ? "#999" : "#e4e4e4"}, {"stroke-width", "1"}}, 0, y(v), end_, y(v));
    ticks_.emplace_back(y(v) + 3, number(v));
  }

  void gradient() {
    int low = 0;
    int high = 0;
    for (const Stretch& s : c_.gradient) {
      low = std::min(low, s.value);
      high = std::max(high, s.value);
    }
    const ValueScale y{std::floor(low / 5.0) * 5, std::max(std::ceil(high / 5.0) * 5, low + 5.0),
                       kGradient.top, kGradient.bottom};
    open_lane(kGradient, "#4a8a22", "none");
    grid(y.low, y);
    if (y.low < 0 && y.high > 0) grid(0, y);
    grid(y.high, y);
    steps("gradient", c_.gradient, y);
    svg_.close();
  }

  void elevation() {
    double low = 0;
    double high = 0;
    for (const Elevation& e : c_.elevation) {
      low = std::min(low, e.metres);
      high = std::max(high, e.metres);
    }
    const ValueScale y{std::floor(low), std::max(std::ceil(high), std::floor(low) + 1),
                       kElevation.top, kElevation.bottom};
    open_lane(kElevation, "#8b5a2b", "none");
    grid(y.low, y);
    grid(y.high, y);
    // Simplified as it shows when zoomed kDetail times: a point of a long route's line that
    // no zoom can tell from its neighbours' is left out.
    std::vector<Point> drawn;
    drawn.reserve(c_.elevation.size());
    for (const Elevation& e : c_.elevation)
      drawn.push_back({e.position * scale_ * kDetail, y(e.metres)});
    std::string points;
    for (const std::size_t i : simplify_polyline(drawn, drawn.size(), kDetailTolerance)) {
      if (!points.empty()) points += ' ';
      points += std::to_string(c_.elevation[i].position) + "," + number(drawn[i].y);
    }
    svg_.leaf("polyline", {{"class", "elevation"}, {"points", points}});
    svg_.close();
  }

  void curves() {
    const double middle = (kCurves.top + kCurves.bottom) / 2;
    open_lane(kCurves, "none", "#7a4bc2");
    line({{"stroke", "#bbb"}, {"stroke-width", "1"}}, 0, middle, end_, middle);
    for (const CurveMark& k : c_.curves) {
      // Right-hand curves above the middle, left-hand below; sharper ones reach further.
      const double reach = 4 + 2 * std::max(k.curve_class, 1);
      std::vector<Attribute> a = profile_mark("curve", k.start);
      a.insert(a.end(), {{"x", std::to_string(k.start)},
                         {"y", number(k.left ? middle : middle - reach)},
                         {"width", std::to_string(k.end - k.start)},
                         {"height", number(reach)}});
      svg_.open("rect", a);
      svg_.element("title", {}, curve_title(k));
      svg_.close();
    }
    svg_.close();
  }

  void signals() {
    open_lane(kSignals, "#1a7f37", "none", "2");
    for (const SignalMark& s : c_.signals) {
      std::vector<Attribute> a = profile_mark("signal", s.position);
      a.push_back({"data-signal", std::to_string(s.left)});
      // The left-hand kind sets the height and colour, the right-hand one the dashes.
      const double height = s.left == 2 ? 30 : s.left == 1 ? 20 : 12;
      a.push_back({"class", "left-" + std::to_string(std::clamp(s.left, 0, 3)) + " right-" +
                                std::to_string(std::clamp(s.right, 0, 3))});
      a.insert(a.end(), {{"x1", std::to_string(s.position)},
                         {"y1", number(kSignals.bottom)},
                         {"x2", std::to_string(s.position)},
                         {"y2", number(kSignals.bottom - height)}});
      svg_.open("line", a);
      svg_.element("title", {}, signal_title(s, c_.kilometres));
      svg_.close();
    }
    svg_.close();
  }

  void signboards() {
    open_lane(kSignboards, "#a060c0", "none", "2");
    for (const SignboardMark& b : c_.signboards) {
      std::vector<Attribute> a = profile_mark("signboard", b.position);
      a.insert(a.end(), {{"x1", std::to_string(b.position)},
                         {"y1", number(kSignboards.bottom)},
                         {"x2", std::to_string(b.position)},
                         {"y2", number(kSignboards.bottom - 10)}});
      svg_.open("line", a);
      svg_.element("title", {}, signboard_title(b, c_.kilometres));
      svg_.close();
    }
    svg_.close();
  }

  void mountains() {
    open_lane(kMountains, "none", "#8b5a2b");
    for (const Stretch& m : c_.mountains) {
      std::vector<Attribute> a = profile_mark("mountain", m.start);
      a.push_back({"data-mountain", std::to_string(m.value)});
      a.insert(a.end(), {{"x", std::to_string(m.start)},
                         {"y", number(kMountains.top)},
                         {"width", std::to_string(m.end - m.start)},
                         {"height", number(kMountains.bottom - kMountains.top)}});
      svg_.open("rect", a);
      svg_.element("title", {},
                   "mountain stretch, kind " + std::to_string(m.value) + ", " + metres(m.start) +
                       " to " + metres(m.end));
      svg_.close();
    }
    svg_.close();
  }

  // Findings and the error position across every lane.
  void marks() {
    for (const FindingMark& f : c_.findings) {
      std::vector<Attribute> a = profile_mark("finding", f.position);
      a.push_back({"class", f.error ? "finding error-finding" : "finding warning-finding"});
      a.push_back({"data-severity", f.error ? "error" : "warning"});
      a.push_back({"stroke", f.error ? "#c00" : "#c80"});
      a.push_back({"stroke-width", "2"});
      const double x = std::clamp(f.position, 0, end_);
      a.insert(a.end(),
               {{"x1", number(x)}, {"y1", "0"}, {"x2", number(x)}, {"y2", number(kAxisTop)}});
      svg_.open("line", a);
      svg_.element("title", {}, f.text);
      svg_.close();
    }
    if (!c_.error_position) return;
    // A position beyond the route (error 15) is shown at the axis' end.
    const double x = std::clamp(*c_.error_position, 0, end_);
    std::vector<Attribute> a = profile_mark("error", *c_.error_position);
    a.insert(a.end(), {{"stroke", "#c00"}, {"stroke-width", "3"}});
    svg_.open("g", a);
    svg_.element("title", {}, error_title(*c_.error_position));
    line({}, x, 0, x, kAxisTop);
    svg_.close();
  }

  void ticks() {
    svg_.open("g", {{"class", "ticks"}});
    for (const auto& [y, text] : ticks_) {
      svg_.element("text", {{"class", "tick"}, {"x", number(kPlotLeft - 4)}, {"y", number(y)}},
                   text);
    }
    svg_.close();
  }

  SvgWriter& svg_;
  const ReportContent& c_;
  std::int32_t end_;
  double scale_;
  std::vector<std::pair<double, std::string>> ticks_;
};

}  // namespace

std::vector<LaneText> lane_texts(const ReportContent& c) {
  std::vector<LaneText> texts;
  for (const StationMark& s : c.stations) {
    texts.push_back({s.position, kStations.bottom - 12, s.name, "lane-text station-name"});
  }
  for (const SlowdownMark& s : c.slowdowns) {
    texts.push_back({s.start, kSpeed.top + 2, std::to_string(s.speed), "lane-text slowdown-text"});
  }
  const double middle = (kCurves.top + kCurves.bottom) / 2;
  for (const CurveMark& k : c.curves) {
    texts.push_back(
        {k.start, k.left ? middle + 1 : kCurves.top - 9, curve_label(k), "lane-text curve-text"});
  }
  for (const SignalMark& s : c.signals) {
    texts.push_back({s.position, kSignals.top - 8, signal_values(s), "lane-text signal-text"});
  }
  for (const SignboardMark& b : c.signboards) {
    texts.push_back({b.position, kSignboards.top - 4, b.text, "lane-text signboard-text"});
  }
  if (c.error_position) {
    texts.push_back({std::clamp(*c.error_position, 0, profile_end(c)), 0,
                     "error at " + metres(*c.error_position), "lane-text error-text"});
  }
  // By row, then along it: the order in which they are thinned.
  std::stable_sort(texts.begin(), texts.end(), [](const LaneText& a, const LaneText& b) {
    return a.y < b.y || (a.y == b.y && a.at < b.at);
  });
  return texts;
}

void draw_lane_texts(SvgWriter& svg, const std::vector<LaneText>& texts, std::int32_t from,
                     std::int32_t to, bool hidden_too) {
  const double scale = kPlotWidth / std::max(to - from, 1);
  svg.open("g", {{"class", "profile-texts"}});
  const LaneText* row = nullptr;
  double free_from = 0;
  for (const LaneText& t : texts) {
    if (t.at < from || t.at > to) continue;
    if (row == nullptr || t.y != row->y) {
      if (row != nullptr) svg.close();
      row = &t;
      free_from = 0;
      // A row of texts: its class and height once, each text's x alone.
      svg.open("g", {{"class", t.css},
                     {"transform", "translate(0," + number(t.y + kTextHeight - 2) + ")"}});
    }
    const double x = kPlotLeft + (t.at - from) * scale;
    const bool shown = x >= free_from;
    if (shown) free_from = x + static_cast<double>(utf8_length(t.text)) * kCharWidth + 4;
    if (!shown && !hidden_too) continue;
    std::vector<Attribute> a = {{"data-at", std::to_string(t.at)}, {"x", number(x)}};
    if (!shown) a.push_back({"visibility", "hidden"});
    svg.element("text", a, t.text);
  }
  if (row != nullptr) svg.close();
  svg.close();
}

std::int32_t profile_end(const ReportContent& c) {
  std::int32_t end = c.route_length > 0 ? c.route_length : c.cells_end;
  for (const StationMark& s : c.stations) end = std::max({end, s.position, s.platform_end});
  for (const SignalMark& s : c.signals) end = std::max(end, s.position);
  for (const SignboardMark& s : c.signboards) end = std::max(end, s.position);
  for (const SlowdownMark& s : c.slowdowns) end = std::max(end, s.end);
  return std::min(end, std::max(c.cells_end, 1));
}

void draw_lane_names(SvgWriter& svg) {
  svg.open("g", {{"class", "lane-names"}});
  for (const Band& b : kBands) {
    svg.element("text",
                {{"class", "lane-name"}, {"x", "4"}, {"y", number((b.top + b.bottom) / 2 + 4)}},
                b.name);
  }
  svg.close();
}

void draw_profile(SvgWriter& svg, const ReportContent& c) {
  Profile(svg, c).draw();
}

}  // namespace tracciato
