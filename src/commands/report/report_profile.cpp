#include "commands/report/report_profile.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/report/report_marks.h"

namespace tracciato {

namespace {

constexpr double kLeft = 70;
constexpr double kRight = 20;
constexpr double kPixelsPerMetre = 0.01;
constexpr double kMinimumPlot = 800;
constexpr std::int32_t kKilometreStep = 10000;

// Vertical layout, in px from the top.
constexpr double kStationRow = 112;
constexpr double kSpeedTop = 135, kSpeedBottom = 295;
constexpr double kGradientTop = 330, kGradientBottom = 450;
constexpr double kSignalTop = 465, kSignalBottom = 481;
constexpr double kMountainTop = 487, kMountainBottom = 497;
constexpr double kAxis = 507;
constexpr double kHeight = 530;

struct ValueScale {
  double low, high, top, bottom;
  double operator()(double v) const { return bottom - (v - low) / (high - low) * (bottom - top); }
};

class Profile {
 public:
  Profile(SvgWriter& svg, const ReportContent& c)
      : svg_(svg),
        c_(c),
        scale_(std::max(kPixelsPerMetre, kMinimumPlot / c.cells_end)),
        width_(kLeft + c.cells_end * scale_ + kRight) {}

  void draw() {
    svg_.open("svg", {{"id", "profile"},
                      {"xmlns", "http://www.w3.org/2000/svg"},
                      {"viewBox", "0 0 " + number(width_) + " " + number(kHeight)},
                      {"width", number(width_)},
                      {"height", number(kHeight)}});
    mountains();
    lanes();
    speed();
    gradient();
    signals();
    stations();
    axis();
    if (c_.error_position) error(*c_.error_position);
    svg_.close();
  }

 private:
  double x(double position) const { return kLeft + position * scale_; }

  void line(const char* css, double x1, double y1, double x2, double y2) {
    svg_.leaf("line", {{"class", css},
                       {"x1", number(x1)},
                       {"y1", number(y1)},
                       {"x2", number(x2)},
                       {"y2", number(y2)}});
  }

  void vertical(const char* css, double position, double top, double bottom) {
    line(css, x(position), top, x(position), bottom);
  }

  void lane_label(double y, const std::string& text) {
    svg_.element("text", {{"class", "lane-label"}, {"x", "4"}, {"y", number(y)}}, text);
  }

  // One step per stretch: "M x,y H x V y H x ...".
  void steps(const char* css, const std::vector<Stretch>& stretches, const ValueScale& y) {
    if (stretches.empty()) return;
    std::string d = "M" + number(x(stretches.front().start)) + "," + number(y(stretches[0].value));
    for (std::size_t i = 0; i < stretches.size(); ++i) {
      d += " H" + number(x(stretches[i].end));
      if (i + 1 < stretches.size()) d += " V" + number(y(stretches[i + 1].value));
    }
    svg_.leaf("path", {{"class", css}, {"d", d}});
  }

  void mountains() {
    for (const Stretch& m : c_.mountains) {
      const double left = x(m.start);
      const double width = std::max((m.end - m.start) * scale_, 1.0);
      svg_.leaf("rect", {{"class", "mountain-band"},
                         {"x", number(left)},
                         {"y", number(kSpeedTop)},
                         {"width", number(width)},
                         {"height", number(kGradientBottom - kSpeedTop)}});
      std::vector<Attribute> a = mark_attributes("mountain", m.start);
      a.insert(a.end(), {{"x", number(left)},
                         {"y", number(kMountainTop)},
                         {"width", number(width)},
                         {"height", number(kMountainBottom - kMountainTop)}});
      svg_.open("rect", a);
      svg_.element("title", {},
                   "mountain stretch " + std::to_string(m.value) + ", " + std::to_string(m.start) +
                       " to " + std::to_string(m.end) + " m");
      svg_.close();
    }
  }

  void lanes() {
    line("frame", kLeft, kSpeedTop, kLeft, kSpeedBottom);
    line("frame", kLeft, kGradientTop, kLeft, kGradientBottom);
    lane_label(kSignalBottom, "signals");
    lane_label(kMountainBottom + 2, "mountain");
    if (c_.route_length < c_.cells_end) {
      vertical("route-end", c_.route_length, kStationRow, kAxis);
      svg_.element("text",
                   {{"class", "route-end-label"},
                    {"x", number(x(c_.route_length) + 3)},
                    {"y", number(kAxis - 4)}},
                   "end of route");
    }
  }

  void speed() {
    int top = 20;
    for (const Stretch& s : c_.speed) top = std::max(top, s.value);
    for (const SlowdownMark& s : c_.slowdowns) top = std::max(top, s.speed);
    const int high = (top + 19) / 20 * 20;
    const ValueScale y{0, static_cast<double>(high), kSpeedTop, kSpeedBottom};
    for (int v = 0; v <= high; v += high > 100 ? 40 : 20) grid(v, y, "");
    lane_label(kSpeedTop - 12, "speed km/h");
    steps("speed-limit", c_.speed, y);
    for (const SlowdownMark& s : c_.slowdowns) slowdown(s, y);
  }

  // A bar at the slowdown's speed from its start to its end, wide enough to be seen.
  void slowdown(const SlowdownMark& s, const ValueScale& y) {
    std::vector<Attribute> a = mark_attributes("slowdown", s.start);
    a.push_back({"data-speed", std::to_string(s.speed)});
    svg_.open("g", a);
    svg_.element("title", {}, slowdown_title(s));
    svg_.leaf("rect", {{"x", number(x(s.start))},
                       {"y", number(y(s.speed) - 4)},
                       {"width", number(std::max((s.end - s.start) * scale_, 5.0))},
                       {"height", "8"}});
    svg_.element("text", {{"x", number(x(s.start))}, {"y", number(y(s.speed) - 7)}},
                 std::to_string(s.speed));
    svg_.close();
  }

  void gradient() {
    int low = 0;
    int high = 0;
    for (const Stretch& s : c_.gradient) {
      low = std::min(low, s.value);
      high = std::max(high, s.value);
    }
    const ValueScale y{std::floor(low / 5.0) * 5, std::max(std::ceil(high / 5.0) * 5, low + 5.0),
                       kGradientTop, kGradientBottom};
    grid(y.low, y, " \u2030");
    grid(0, y, " \u2030");
    grid(y.high, y, " \u2030");
    lane_label(kGradientTop - 12, "gradient \u2030");
    steps("gradient", c_.gradient, y);
  }

  void grid(double v, const ValueScale& y, const std::string& unit) {
    line(v == 0 ? "zero" : "grid", kLeft, y(v), width_ - kRight, y(v));
    svg_.element("text", {{"class", "tick"}, {"x", number(kLeft - 4)}, {"y", number(y(v) + 3)}},
                 number(v) + unit);
  }

  void signals() {
    for (const SignalMark& s : c_.signals) {
      std::vector<Attribute> a = mark_attributes("signal", s.position);
      a.insert(a.end(), {{"x1", number(x(s.position))},
                         {"y1", number(kSignalTop)},
                         {"x2", number(x(s.position))},
                         {"y2", number(kSignalBottom)}});
      svg_.open("line", a);
      svg_.element("title", {}, "signal, " + std::to_string(s.position) + " m");
      svg_.close();
    }
  }

  void stations() {
    for (const StationMark& s : c_.stations) {
      vertical("guide", s.position, kStationRow, kAxis);
      const double sx = x(s.position);
      std::vector<Attribute> a = mark_attributes("station", s.position);
      a.push_back({"points", number(sx - 5) + "," + number(kStationRow - 8) + " " + number(sx + 5) +
                                 "," + number(kStationRow - 8) + " " + number(sx) + "," +
                                 number(kStationRow)});
      svg_.open("polygon", a);
      svg_.element("title", {}, s.name + ", " + std::to_string(s.position) + " m");
      svg_.close();
      const std::string at = number(sx + 3) + "," + number(kStationRow - 11);
      svg_.element("text",
                   {{"class", "station-name"}, {"transform", "translate(" + at + ") rotate(-90)"}},
                   s.name);
    }
  }

  void axis() {
    line("axis", kLeft, kAxis, width_ - kRight, kAxis);
    for (std::int32_t k = 0; k <= c_.cells_end; k += kKilometreStep) {
      vertical("tick-mark", k, kAxis, kAxis + 5);
      svg_.element("text", {{"class", "km-label"}, {"x", number(x(k))}, {"y", number(kAxis + 16)}},
                   std::to_string(k / 1000) + " km");
    }
  }

  void error(std::int32_t position) {
    svg_.open("g", mark_attributes("error", position));
    svg_.element("title", {}, error_title(position));
    // A position beyond the route (error 15) is shown at the axis' end.
    const double drawn = std::clamp<double>(position, 0, c_.cells_end);
    vertical("error-line", drawn, 0, kAxis);
    svg_.element("text", {{"x", number(x(drawn) + 4)}, {"y", "12"}},
                 "error at " + std::to_string(position) + " m");
    svg_.close();
  }

  SvgWriter& svg_;
  const ReportContent& c_;
  double scale_;
  double width_;
};

}  // namespace

void draw_profile(SvgWriter& svg, const ReportContent& c) {
  Profile(svg, c).draw();
}

}  // namespace tracciato
