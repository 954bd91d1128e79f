#include "commands/report/report_curves.h"

#include <array>
#include <cmath>

namespace tracciato {

namespace {

// Curvature of each class in radians per metre, class 1 first.
constexpr std::array<double, 6> kClassCurvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Turns finer than a tenth of the gentlest class are the rounding of a straight.
constexpr double kStraight = 0.00001;

// Metres looked at together: a window whose first and last metres turn alike, and as much
// as the window turns on average, is taken whole; any other is read metre by metre. (A
// left and a right curve of one class and length both inside one window would cancel out
// unseen: no line draws curves that short.)
constexpr std::int32_t kWindow = 64;

int class_of(double curvature) {
  const double k = std::abs(curvature);
  for (std::size_t i = 0; i < kClassCurvature.size(); ++i) {
    if (std::abs(k - kClassCurvature[i]) <= kClassCurvature[i] * 0.05) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

struct Vector {
  double lateral = 0;
  double along = 0;
};

// The line read back metre by metre: its steps and how much each turns.
class Turns {
 public:
  explicit Turns(const GeometryTable& g) : g_(g) {}

  Vector point(std::int32_t m) const {
    return {g_.coordinate(m, 0).value_or(0), g_.coordinate(m, 1).value_or(0)};
  }

  // The step from point m - 1 to point m.
  Vector step(std::int32_t m) const {
    const Vector a = point(m - 1);
    const Vector b = point(m);
    return {b.lateral - a.lateral, b.along - a.along};
  }

  double at(std::int32_t m) const { return turn(step(m - 1), step(m)); }

  // A point on a curve turns its step by the curvature c: step = before + c (along,
  // -lateral), so c is their cross product over the length of the one before.
  static double turn(const Vector& before, const Vector& step) {
    return (before.along * step.lateral - before.lateral * step.along) /
           (before.lateral * before.lateral + before.along * before.along);
  }

  // The mean turn of points m to w, from the angle between the steps around them.
  double mean(std::int32_t m, std::int32_t w) const {
    const Vector a = step(m - 1);
    const Vector b = step(w);
    const double angle = std::atan2(a.along * b.lateral - a.lateral * b.along,
                                    a.lateral * b.lateral + a.along * b.along);
    return std::tan(angle / (w - m + 1));
  }

 private:
  const GeometryTable& g_;
};

// The kind of turn a metre makes: 0 straight, the class (or 7 for none) signed by side.
int key_of(double turn) {
  if (turn <= kStraight && turn >= -kStraight) return 0;
  const int c = class_of(turn);
  return (c == 0 ? 7 : c) * (turn < 0 ? -1 : 1);
}

// Adds points [m, w] turning by `turn` to the curves.
void extend(std::vector<CurveMark>& curves, std::int32_t m, std::int32_t w, double turn) {
  const int key = key_of(turn);
  if (key == 0) return;
  CurveMark* last = curves.empty() ? nullptr : &curves.back();
  const int curve_class = class_of(turn);
  if (last != nullptr && last->end == m - 1 && key_of(last->curvature) == key) {
    last->end = w;
  } else {
    curves.push_back({m - 1, w, curve_class, turn < 0, turn});
  }
}

}  // namespace

int curve_radius(int curve_class) {
  if (curve_class < 1 || curve_class > 6) return 0;
  return static_cast<int>(
      std::lround(1 / kClassCurvature[static_cast<std::size_t>(curve_class - 1)]));
}

std::vector<CurveMark> read_curves(const GeometryTable& g) {
  std::vector<CurveMark> curves;
  const Turns turns(g);
  const std::int32_t count = g.next_point();
  std::int32_t m = 2;
  while (m < count) {
    const std::int32_t w = std::min(m + kWindow - 1, count - 1);
    const double first = turns.at(m);
    const int key = key_of(first);
    const bool even = w > m && key_of(turns.at(w)) == key &&
                      std::abs(turns.mean(m, w) - first) <= std::abs(first) * 0.001 + 1e-9;
    if (even) {
      extend(curves, m, w, first);
      m = w + 1;
      continue;
    }
    // Metre by metre, each run of one kind of turn added at once.
    Vector before = turns.step(m - 1);
    Vector last = turns.point(m - 1);
    std::int32_t run = m;
    double run_turn = 0;
    int run_key = 0;
    for (; m <= w; ++m) {
      const Vector p = turns.point(m);
      const Vector step{p.lateral - last.lateral, p.along - last.along};
      const double turn = Turns::turn(before, step);
      const int turn_key = key_of(turn);
      if (m != run && turn_key != run_key) extend(curves, run, m - 1, run_turn);
      if (m == run || turn_key != run_key) {
        run = m;
        run_turn = turn;
        run_key = turn_key;
      }
      before = step;
      last = p;
    }
    extend(curves, run, w, run_turn);
  }
  return curves;
}

}  // namespace tracciato
