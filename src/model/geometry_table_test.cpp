#include "model/geometry_table.h"

#include <gtest/gtest.h>

#include "base/unexpected_failure.h"

namespace tracciato {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes joined(const GeometryTable& g) {
  Bytes out;
  for (const auto part : g.file_parts()) out.insert(out.end(), part.begin(), part.end());
  return out;
}

TEST(GeometryTable, FileHoldsSeedsComputedPointsAndEmptiesPerCoordinate) {
  GeometryTable g(4);  // metres 0 to 4
  g.seed();
  g.add_straight();  // point 2 = (0, 2)
  const Bytes seeds_0 = {2, 0, 0, 0, 2, 0, 0, 0};
  const Bytes seeds_1 = {2, 0, 0, 0, 2, 0, 1, 0};
  const Bytes zero = {5, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const Bytes two = {5, 0, 0, 0, 0, 0, 0, 0, 0, 0x40};  // 2.0
  const Bytes empty_two = {0, 0, 0, 0};                 // metres 3 and 4
  Bytes expected = seeds_0;
  expected.insert(expected.end(), zero.begin(), zero.end());
  expected.insert(expected.end(), empty_two.begin(), empty_two.end());
  expected.insert(expected.end(), seeds_1.begin(), seeds_1.end());
  expected.insert(expected.end(), two.begin(), two.end());
  expected.insert(expected.end(), empty_two.begin(), empty_two.end());
  EXPECT_EQ(joined(g), expected);
}

TEST(GeometryTable, CurveRotatesTheStepWithoutRenormalising) {
  GeometryTable g(10);
  g.seed();
  g.add_curve(0.001);
  g.add_curve(0.001);
  // Worked in IEEE doubles in the written order.
  EXPECT_EQ(*g.coordinate(2, 0), 0x1.0624dd2f1a9fcp-10);
  EXPECT_EQ(*g.coordinate(2, 1), 2.0);
  EXPECT_EQ(*g.coordinate(3, 0), 0x1.89374bc6a7efap-9);
  EXPECT_EQ(*g.coordinate(3, 1), 0x1.7ffff79c842fap+1);
  EXPECT_FALSE(g.coordinate(4, 0).has_value());
}

TEST(GeometryTable, RefusesPointsBeyondItsLastMetre) {
  GeometryTable g(2);
  g.seed();
  g.add_straight();
  EXPECT_THROW(g.add_straight(), UnexpectedFailure);
  EXPECT_THROW(GeometryTable(-1), UnexpectedFailure);
  GeometryTable no_room(0);
  EXPECT_THROW(no_room.seed(), UnexpectedFailure);
}

}  // namespace
}  // namespace tracciato
