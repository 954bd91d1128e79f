#include "compile/train/slowdown_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "base/unexpected_failure.h"

namespace tracciato {
namespace {

// What a test expects of one cell.
struct Expected {
  std::uint8_t type;
  std::int16_t value;
  std::int16_t value_2 = 0;
  std::int16_t value_3 = 0;
};

class SlowdownRecorder : public ::testing::Test {
 protected:
  void SetUp() override { s.cells.allocate(2000); }

  // Every cell not listed must be untouched (all fields 0).
  void expect_cells(const std::map<std::int64_t, Expected>& expected) const {
    for (std::int64_t i = 0; i <= s.cells.last_index(); ++i) {
      const TrackCell& c = s.cells.at(i);
      const auto it = expected.find(i);
      const Expected e = it != expected.end() ? it->second : Expected{0, 0};
      EXPECT_EQ(c.cell_type, e.type) << "cell " << i;
      EXPECT_EQ(c.cell_value, e.value) << "cell " << i;
      EXPECT_EQ(c.cell_value_2, e.value_2) << "cell " << i;
      EXPECT_EQ(c.cell_value_3, e.value_3) << "cell " << i;
    }
  }

  Scenario s;
};

TEST_F(SlowdownRecorder, PlacesWarningAdvanceStartAndEndCells) {
  memo_rallentamento(s, {72400, 50, 200, 1, 1, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{1425, {4, 50}},
                {1424, {5, 1}},
                {1423, {5, 2}},
                {1422, {5, 3}},
                {1421, {5, 4}},
                {1449, {3, 50, 0, 1}},
                {1453, {2, 50, 0, 1}}});
}

TEST_F(SlowdownRecorder, NonZeroSpeedDifferenceGoesIntoEveryCell) {
  memo_rallentamento(s, {72400, 50, 200, 3, 1, 7});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{1425, {4, 50, 7}},
                {1424, {5, 1, 1}},
                {1423, {5, 2, 2}},
                {1422, {5, 3, 3}},
                {1421, {5, 4, 4}},
                {1449, {3, 50, 7, 3}},
                {1453, {2, 50, 7, 3}}});
}

TEST_F(SlowdownRecorder, ZeroSpeedDifferenceKeepsCellValue2) {
  for (const std::int64_t i : {1421, 1422, 1423, 1424, 1425, 1449, 1453}) {
    s.cells.at(i).cell_value_2 = 2;
  }
  memo_rallentamento(s, {72400, 50, 200, 1, 1, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{1425, {4, 50, 2}},
                {1424, {5, 1, 2}},
                {1423, {5, 2, 2}},
                {1422, {5, 3, 2}},
                {1421, {5, 4, 2}},
                {1449, {3, 50, 2, 1}},
                {1453, {2, 50, 2, 1}}});
}

TEST_F(SlowdownRecorder, WarningOnlyBeyond1500) {
  memo_rallentamento(s, {1500, 60, 100, 0, 1, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{31, {3, 60}}, {33, {2, 60}}});

  s.cells.allocate(2000);
  memo_rallentamento(s, {1550, 60, 100, 0, 1, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{8, {4, 60}},
                {7, {5, 1}},
                {6, {5, 2}},
                {5, {5, 3}},
                {4, {5, 4}},
                {32, {3, 60}},
                {34, {2, 60}}});
}

TEST_F(SlowdownRecorder, NoAdvanceCellsWithoutTheOption) {
  memo_rallentamento(s, {72400, 50, 200, 1, 0, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{1425, {4, 50}}, {1449, {3, 50, 0, 1}}, {1453, {2, 50, 0, 1}}});
}

// Start 1575: the warning cell (8.5) and the first advance cell (7.5) both round to 8;
// the start (32.5) and end (34.5) round to even as well.
TEST_F(SlowdownRecorder, AdvanceCellOnItsOwnWarningCellGives20AfterWriting) {
  memo_rallentamento(s, {1575, 60, 100, 1, 1, 0});
  EXPECT_EQ(s.errors.error_code, 20);
  expect_cells({{8, {4, 60}}, {32, {3, 60, 0, 1}}, {34, {2, 60, 0, 1}}});
}

TEST_F(SlowdownRecorder, ZeroLengthLeavesAStartCellOnly) {
  memo_rallentamento(s, {10000, 40, 0, 5, 0, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{177, {4, 40}}, {201, {3, 40, 0, 5}}});
}

TEST_F(SlowdownRecorder, ValuesKeepTheirLow16Bits) {
  memo_rallentamento(s, {10000, 70000, 100, -1, 0, 65537});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{177, {4, 4464, 1}}, {201, {3, 4464, 1, -1}}, {203, {2, 4464, 1, -1}}});
}

TEST_F(SlowdownRecorder, MountainMarkersAreReplaced) {
  for (const std::int64_t i : {177, 176, 173, 201, 203}) {
    s.cells.at(i).cell_type = cell_type::kMountainMarker;
  }
  memo_rallentamento(s, {10000, 40, 100, 0, 1, 0});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_cells({{177, {4, 40}},
                {176, {5, 1}},
                {175, {5, 2}},
                {174, {5, 3}},
                {173, {5, 4}},
                {201, {3, 40}},
                {203, {2, 40}}});
}

struct TakenCase {
  const char* name;
  std::vector<std::int64_t> taken;
  std::int32_t code;
  bool writes;  // whether the slowdown's own cells are written
};
void PrintTo(const TakenCase& c, std::ostream* os) {
  *os << c.name;
}

class SlowdownRecorderTaken : public ::testing::TestWithParam<TakenCase> {};

// Start 10000, length 100: warning 177, advance 176 to 173, start 201, end 203.
TEST_P(SlowdownRecorderTaken, RefusesTakenCells) {
  const TakenCase c = GetParam();
  Scenario s;
  s.cells.allocate(400);
  s.errors.error_position = 777;
  for (const std::int64_t i : c.taken) s.cells.at(i).cell_type = cell_type::kSpeedBoard;
  memo_rallentamento(s, {10000, 40, 100, 0, 1, 0});
  EXPECT_EQ(s.errors.error_code, c.code);
  EXPECT_EQ(s.errors.error_position, 777);
  const std::map<std::int64_t, std::uint8_t> placed = {{177, cell_type::kSlowdownWarning},
                                                       {201, cell_type::kSlowdownStart},
                                                       {203, cell_type::kSlowdownEnd}};
  for (const auto& [i, type] : placed) {
    const bool taken = std::find(c.taken.begin(), c.taken.end(), i) != c.taken.end();
    const std::uint8_t expected = taken ? cell_type::kSpeedBoard : c.writes ? type : 0;
    EXPECT_EQ(s.cells.at(i).cell_type, expected) << "cell " << i;
  }
  for (const std::int64_t i : {173, 174, 175, 176}) {
    EXPECT_NE(s.cells.at(i).cell_type, cell_type::kSlowdownAdvance) << "cell " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    SlowdownTakenCases, SlowdownRecorderTaken,
    ::testing::Values(TakenCase{"WarningCellGives17", {177}, 17, false},
                      TakenCase{"AllThreeCellsGive17ForTheWarning", {177, 201, 203}, 17, false},
                      TakenCase{"StartCellGives18", {201, 203}, 18, false},
                      TakenCase{"EndCellGives19", {203}, 19, false},
                      TakenCase{"FirstAdvanceCellGives20AfterWriting", {176}, 20, true},
                      TakenCase{"LastAdvanceCellGives20AfterWriting", {173}, 20, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SlowdownRecorder, EndBeyondTheArrayIsUnexpected) {
  EXPECT_THROW(memo_rallentamento(s, {99900, 40, 100, 0, 0, 0}), UnexpectedFailure);
}

}  // namespace
}  // namespace tracciato
