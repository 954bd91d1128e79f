#include "compile/decompile/curve_rows.h"

#include <array>
#include <bit>
#include <cmath>
#include <string>

#include "compile/line/curve_classes.h"
#include "format/dump_decoder.h"
#include "model/geometry_table.h"

namespace tracciato {

namespace {

using Point = GeometryTable::Point;

// Straight (0), then the six classes to the right and to the left.
constexpr std::size_t kSteps = 1 + 2 * kCurveCurvatures.size();

double step_curvature(std::size_t step) {
  if (step == 0) return 0;
  const double k = kCurveCurvatures[(step - 1) % kCurveCurvatures.size()];
  return step <= kCurveCurvatures.size() ? k : k * -1;
}

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool draws(std::size_t step, Point before_last, Point last, Point seen) {
  const Point p = step == 0 ? GeometryTable::straight_from(before_last, last)
                            : GeometryTable::curve_from(before_last, last, step_curvature(step));
  return same_bits(p.lateral, seen.lateral) && same_bits(p.along, seen.along);
}

// Walks the points once, keeping the run of metres drawn by one step.
class CurveWalk {
 public:
  CurveWalk(std::vector<CurveRow>& rows, std::int64_t last_start, Unexplained& why)
      : rows_(rows), why_(why), last_start_(last_start) {}

  void seed(const DecodedPoint& p0, const DecodedPoint& p1) {
    const auto seeded = [](const DecodedPoint& p, double along) {
      return p.lateral.tag == GeometryTable::kTagInt16 && p.lateral.value == 0 &&
             p.along.tag == GeometryTable::kTagInt16 && p.along.value == along;
    };
    if (!seeded(p0, 0) || !seeded(p1, 1)) {
      tell(static_cast<std::int64_t>(p0.metre),
           "the plan does not begin with the points (0, 0) and (0, 1) every compile starts from");
    }
    before_last_ = {p0.lateral.value, p0.along.value};
    last_ = {p1.lateral.value, p1.along.value};
  }

  void point(const DecodedPoint& p) {
    const auto m = static_cast<std::int64_t>(p.metre);
    const bool empty =
        p.lateral.tag == GeometryTable::kTagEmpty && p.along.tag == GeometryTable::kTagEmpty;
    if (empty) {
      if (!ended_) ended_ = m;
      return;
    }
    if (ended_) {
      tell(m, "a point follows the empty metre " + std::to_string(*ended_) +
                  ", where the compile stops drawing the plan");
    } else if (p.lateral.tag != GeometryTable::kTagDouble ||
               p.along.tag != GeometryTable::kTagDouble) {
      tell(m, "the compile stores every point after the first two as two 64-bit numbers");
    }
    const Point seen{p.lateral.value, p.along.value};
    std::size_t step = run_step_;
    if (!draws(step, before_last_, last_, seen)) {
      step = kSteps;
      for (std::size_t s = 0; s < kSteps && step == kSteps; ++s) {
        if (draws(s, before_last_, last_, seen)) step = s;
      }
      if (step == kSteps) {
        tell(m,
             "the point is not one metre of a straight or of a curve of class 1 to 6 from "
             "the two points before it");
        step = run_step_;
      }
    }
    if (step != run_step_) {
      close_run(m - 1);
      run_step_ = step;
      run_first_ = m;
    }
    before_last_ = last_;
    last_ = seen;
    last_drawn_ = m;
  }

  void finish(std::int64_t route_span) {
    close_run(last_drawn_);
    if (last_drawn_ < route_span - 2) {
      tell(last_drawn_ + 1, "the compile draws the plan to metre " +
                                std::to_string(route_span - 2) +
                                ", two metres before the route's length plus 7000 m");
    } else if (last_drawn_ > route_span - 2 && run_step_ == 0) {
      tell(route_span - 1,
           "only a curve draws the plan beyond metre " + std::to_string(route_span - 2));
    }
  }

 private:
  // A row may start no further than 100 m before the last cell; a curve right after
  // another may start behind the point drawn, where the plan goes on from that point.
  void close_run(std::int64_t last) {
    if (run_step_ == 0 || last < run_first_) return;
    std::int64_t start = run_first_ - 1;
    if (start > last_start_ && run_first_ == curve_end_ + 1) start = last_start_;
    curve_end_ = last;
    rows_.push_back({start, last - start,
                     static_cast<int>((run_step_ - 1) % kCurveCurvatures.size()) + 1,
                     run_step_ > kCurveCurvatures.size()});
  }
  void tell(std::int64_t metre, std::string text) {
    if (!why_.geometry) why_.geometry = {metre, std::move(text)};
  }

  std::vector<CurveRow>& rows_;
  Unexplained& why_;
  Point before_last_;
  Point last_;
  std::size_t run_step_ = 0;
  std::int64_t run_first_ = 2;
  std::int64_t last_drawn_ = 1;
  std::optional<std::int64_t> ended_;
  std::int64_t last_start_;
  std::int64_t curve_end_ = -1;  // the last metre of the last curve row
};

}  // namespace

std::vector<CurveRow> curve_rows(std::span<const std::uint8_t> geometry, std::int64_t route_span,
                                 Unexplained& why) {
  const GeometryLayout layout = survey_geometry(geometry);
  if (layout.damage) throw *layout.damage;
  std::vector<CurveRow> rows;
  const auto last_cell =
      static_cast<std::int64_t>(std::nearbyint(static_cast<double>(route_span) / 50));
  CurveWalk walk(rows, last_cell * 50 - 100, why);
  if (static_cast<std::int64_t>(layout.metres) != route_span + 1) {
    why.geometry = {std::min<std::int64_t>(static_cast<std::int64_t>(layout.metres), route_span),
                    "the plan holds " + std::to_string(layout.metres) +
                        " metres; the route's length gives " + std::to_string(route_span + 1)};
  }
  if (layout.metres < 2) return rows;
  PointReader points(geometry, layout);
  DecodedPoint p0;
  DecodedPoint p1;
  points.next(p0);
  points.next(p1);
  walk.seed(p0, p1);
  DecodedPoint p;
  while (points.next(p)) walk.point(p);
  walk.finish(route_span);
  return rows;
}

}  // namespace tracciato
