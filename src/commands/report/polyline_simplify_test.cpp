#include "commands/report/polyline_simplify.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tracciato {
namespace {

double distance_to_segment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double t =
      std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The farthest any dropped point lies from the kept polyline around it.
double worst_deviation(const std::vector<Point>& points, const std::vector<std::size_t>& kept) {
  double worst = 0;
  for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
    for (std::size_t i = kept[k] + 1; i < kept[k + 1]; ++i) {
      worst = std::max(worst, distance_to_segment(points[i], points[kept[k]], points[kept[k + 1]]));
    }
  }
  return worst;
}

TEST(SvgPolyline, StraightLineKeepsItsEnds) {
  std::vector<Point> line;
  line.reserve(10000);
  for (int m = 0; m < 10000; ++m) line.push_back({0.5 * m, 2.0 * m});
  EXPECT_EQ(simplify_polyline(line, 5000, 0.25), (std::vector<std::size_t>{0, 9999}));
}

TEST(SvgPolyline, SmoothCurvesStayWithinTheTolerance) {
  // Three turns of a spiral, one point per metre as the geometry table holds them.
  std::vector<Point> spiral;
  spiral.reserve(100000);
  for (int m = 0; m < 100000; ++m) {
    const double turn = 6 * std::numbers::pi * m / 100000;
    spiral.push_back({(100 + turn * 50) * std::cos(turn), (100 + turn * 50) * std::sin(turn)});
  }
  const auto kept = simplify_polyline(spiral, 5000, 0.25);
  EXPECT_LT(kept.size(), 5000u);
  EXPECT_GT(kept.size(), 20u);
  EXPECT_EQ(kept.front(), 0u);
  EXPECT_EQ(kept.back(), spiral.size() - 1);
  EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
  EXPECT_LE(worst_deviation(spiral, kept), 0.25);
}

TEST(SvgPolyline, NeverKeepsMoreThanAsked) {
  std::vector<Point> zigzag;
  zigzag.reserve(100000);
  for (int m = 0; m < 100000; ++m) zigzag.push_back({static_cast<double>(m), m % 2 * 10.0});
  const auto kept = simplify_polyline(zigzag, 5000, 0.25);
  EXPECT_EQ(kept.size(), 5000u);
  EXPECT_EQ(kept.back(), zigzag.size() - 1);
  EXPECT_EQ(simplify_polyline(zigzag, 0, 0.25).size(), 2u);
}

}  // namespace
}  // namespace tracciato
