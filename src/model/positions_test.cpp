#include "model/positions.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Cells, PointObjectsAndRunsCountCellsDifferently) {
  EXPECT_EQ(point_cell(104300), 2087);
  EXPECT_EQ(point_position(2087), 104300);
  EXPECT_EQ(run_cell(14300), 286);
  EXPECT_EQ(run_span(286).from, 14300);
  EXPECT_EQ(run_span(286).to, 14350);
  // Off the grid, halves go to the even neighbour.
  EXPECT_EQ(run_cell(75), 2);
  EXPECT_EQ(run_cell(125), 2);
  EXPECT_EQ(point_cell(25), 2);
  EXPECT_EQ(point_cell(75), 2);
}

TEST(Cells, AnObjectIsWithinTheRouteWhileItsReachEndsByTheLastCell) {
  EXPECT_TRUE(within_route(136000 + 7000 - 100, 100, 2860));
  EXPECT_FALSE(within_route(136000 + 7000 - 99, 100, 2860));
}

TEST(LineKilometres, ADecreasingProgressiveIsReadBackAsTheAuthorWroteIt) {
  // The embedded line: "progressiva chilometrica uno" (0, 137350, decreasing), stored in
  // record 81 as 137450 by the compiler.
  ScenarioHeader header;
  HeaderRecord& stored = header.at(header_index::kProgressiveTre);
  stored.record_start = 0;
  stored.record_end = 137450;
  stored.record_position = 1;
  const LineKilometres km = LineKilometres::from_header(header);
  EXPECT_EQ(km.kilometre_at(0), 137350);
  EXPECT_EQ(km.kilometre_at(1732), 135618);
  EXPECT_EQ(km.route_at(135618), 1732);
  EXPECT_EQ(km.route_at(137351), std::nullopt);
}

TEST(LineKilometres, EachStretchFollowsTheProgressiveThatGovernsIt) {
  const LineKilometres km({{{50000, 20000, false}, {0, 137350, true}, {0, 0, false}}});
  EXPECT_EQ(km.kilometre_at(49999), 137350 - 49999);
  EXPECT_EQ(km.kilometre_at(50000), 20000);
  EXPECT_EQ(km.kilometre_at(60000), 30000);
  EXPECT_EQ(km.route_at(30000), 60000);
  // Kilometre 80000 comes again in the second numbering; 10000 would lie in the first
  // numbering only past its stretch's end.
  EXPECT_EQ(km.route_at(80000), 110000);
  EXPECT_EQ(km.route_at(10000), std::nullopt);
  EXPECT_EQ(km.route_at(137350 - 10), 10);
}

TEST(LineKilometres, ALineWithoutProgressivesHasNoKilometres) {
  const LineKilometres km(std::array<KilometricProgressive, 3>{});
  EXPECT_EQ(km.kilometre_at(1000), std::nullopt);
  EXPECT_EQ(km.route_at(1000), std::nullopt);
  const LineKilometres late({{{5000, 12000, false}, {}, {}}});
  EXPECT_EQ(late.kilometre_at(4999), std::nullopt);
}

TEST(LineKilometres, KilometresAreWrittenTheRailwayWay) {
  EXPECT_EQ(railway_kilometre(135618), "km 135+618");
  EXPECT_EQ(railway_kilometre(7), "km 0+007");
  EXPECT_EQ(railway_kilometre(-1250), "km -1+250");
}

}  // namespace
}  // namespace tracciato
