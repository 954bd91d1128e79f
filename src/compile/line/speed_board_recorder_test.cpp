#include "compile/line/speed_board_recorder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "base/unexpected_failure.h"

namespace tracciato {
namespace {

Scenario with_cells() {
  Scenario s;
  s.cells.allocate(400);
  return s;
}

SpeedBoard board(std::int32_t position, std::int32_t left_speed_a, std::int32_t left_speed_b,
                 std::int32_t left_speed_c, std::int32_t left_stripes,
                 std::int32_t right_speed_a = 0, std::int32_t right_speed_b = 0,
                 std::int32_t right_speed_c = 0, std::int32_t right_stripes = 0) {
  return {position,      left_speed_a,  left_speed_b,  left_speed_c, left_stripes,
          right_speed_a, right_speed_b, right_speed_c, right_stripes};
}

struct BoardCase {
  const char* name;
  SpeedBoard board;
  std::int64_t cell;
  std::int16_t v1, v2, v3, v4;
};

void PrintTo(const BoardCase& c, std::ostream* os) {
  *os << c.name;
}

class SpeedBoardValues : public ::testing::TestWithParam<BoardCase> {};

TEST_P(SpeedBoardValues, EncodeBothSidesIntoTheCell) {
  const BoardCase& c = GetParam();
  Scenario s = with_cells();
  memo_indicatori_v_max(s, c.board);
  EXPECT_FALSE(s.errors.failed());
  for (std::int64_t i = 0; i <= 400; ++i) {
    const TrackCell& cell = s.cells.at(i);
    if (i != c.cell) {
      EXPECT_EQ(cell.cell_type, 0) << "cell " << i;
      continue;
    }
    EXPECT_EQ(cell.cell_type, cell_type::kSpeedBoard);
    EXPECT_EQ(cell.cell_value, c.v1);
    EXPECT_EQ(cell.cell_value_2, c.v2);
    EXPECT_EQ(cell.cell_value_3, c.v3);
    EXPECT_EQ(cell.cell_value_4, c.v4);
  }
}

INSTANTIATE_TEST_SUITE_P(
    SpeedBoard, SpeedBoardValues,
    ::testing::Values(
        BoardCase{"LeftOnly", board(900, 60, 80, 80, 0), 19, 1200, 1600, 1600, 0},
        BoardCase{"BothSides", board(12950, 80, 85, 85, 0, 80, 85, 85, 0), 260, 1616, 1717, 1717,
                  0},
        BoardCase{"LeftStripes", board(1000, 60, 60, 60, 2), 21, 1200, 1200, 1200, 20},
        BoardCase{"BothStripes", board(1000, 60, 60, 60, 1, 0, 0, 0, 3), 21, 1200, 1200, 1200, 13},
        // 12 / 5 = 2.4, 13 / 5 = 2.6, -12 / 5 = -2.4
        BoardCase{"RightSpeedRounds", board(1000, 50, 50, 50, 0, 12, 13, -12), 21, 1002, 1003, 998,
                  0},
        BoardCase{"LargestValue", board(1000, 1638, -1638, 0, 0, 35, -35, 0), 21, 32767, -32767, 0,
                  0},
        // Only the low 16 bits of the stripe counts and of the stripe value count.
        BoardCase{"StripesKeepLow16Bits", board(1000, 0, 0, 0, 65538, 0, 0, 0, 65539), 21, 0, 0, 0,
                  23},
        BoardCase{"StripeValueWraps", board(1000, 0, 0, 0, 4000), 21, 0, 0, 0, -25536},
        // p / 50 + 1: 1.5 to 2, 2.5 to 2, 3.5 to 4
        BoardCase{"At25", board(25, 10, 0, 0, 0), 2, 200, 0, 0, 0},
        BoardCase{"At75", board(75, 10, 0, 0, 0), 2, 200, 0, 0, 0},
        BoardCase{"At125", board(125, 10, 0, 0, 0), 4, 200, 0, 0, 0}),
    [](const ::testing::TestParamInfo<BoardCase>& info) { return info.param.name; });

TEST(SpeedBoardValues, SpeedValueOutside16BitsIsUnexpected) {
  for (const SpeedBoard& b : {board(1000, 1639, 0, 0, 0), board(1000, 0, -1639, 0, 0),
                              board(1000, 0, 0, 1638, 0, 0, 0, 40)}) {
    Scenario s = with_cells();
    EXPECT_THROW(memo_indicatori_v_max(s, b), UnexpectedFailure);
  }
}

struct TakenCase {
  const char* name;
  std::uint8_t type;
};
void PrintTo(const TakenCase& c, std::ostream* os) {
  *os << c.name;
}

class SpeedBoardOnTakenCell : public ::testing::TestWithParam<TakenCase> {};

TEST_P(SpeedBoardOnTakenCell, Is21AndLeavesTheCell) {
  Scenario s = with_cells();
  TrackCell& cell = s.cells.at(19);
  cell.cell_type = GetParam().type;
  cell.cell_value = 7;
  cell.cell_value_4 = 9;
  memo_indicatori_v_max(s, board(900, 60, 80, 80, 0));
  EXPECT_EQ(s.errors.error_code, 21);
  EXPECT_EQ(cell.cell_type, GetParam().type);
  EXPECT_EQ(cell.cell_value, 7);
  EXPECT_EQ(cell.cell_value_2, 0);
  EXPECT_EQ(cell.cell_value_4, 9);
}

INSTANTIATE_TEST_SUITE_P(
    SpeedBoard, SpeedBoardOnTakenCell,
    ::testing::Values(TakenCase{"Signal", cell_type::kSignal},
                      TakenCase{"SlowdownEnd", cell_type::kSlowdownEnd},
                      TakenCase{"SlowdownStart", cell_type::kSlowdownStart},
                      TakenCase{"SlowdownWarning", cell_type::kSlowdownWarning},
                      TakenCase{"SlowdownAdvance", cell_type::kSlowdownAdvance},
                      TakenCase{"SpeedBoard", cell_type::kSpeedBoard},
                      TakenCase{"StationMarker", cell_type::kStationMarker},
                      TakenCase{"CodeMarker", cell_type::kCodeMarker},
                      TakenCase{"CodeEndMarker", cell_type::kCodeEndMarker},
                      TakenCase{"Signboard", cell_type::kSignboard}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpeedBoardOnMountainMarker, ReplacesTheMarker) {
  Scenario s = with_cells();
  s.cells.at(19).cell_type = cell_type::kMountainMarker;
  s.cells.at(19).cell_mountain = 2;
  memo_indicatori_v_max(s, board(900, 60, 80, 80, 0));
  EXPECT_FALSE(s.errors.failed());
  EXPECT_EQ(s.cells.at(19).cell_type, cell_type::kSpeedBoard);
  EXPECT_EQ(s.cells.at(19).cell_value, 1200);
  EXPECT_EQ(s.cells.at(19).cell_mountain, 2);
}

}  // namespace
}  // namespace tracciato
