#include "compile/line/mountain_recorder.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

#include "base/unexpected_failure.h"

namespace tracciato {
namespace {

struct Stretch {
  std::int32_t start, end, kind;
};

struct Span {
  std::int64_t from, to;
  int kind;
};

struct MountainCase {
  const char* name;
  std::vector<Stretch> rows;
  std::vector<Span> spans;  // cell mountain; every other cell keeps 0
  std::vector<std::int64_t> markers;
};

void PrintTo(const MountainCase& c, std::ostream* os) {
  *os << c.name;
}

constexpr std::int64_t kLastCell = 2860;

Scenario with_cells() {
  Scenario s;
  s.cells.allocate(kLastCell);
  return s;
}

std::map<std::int64_t, int> mountain_cells(const Scenario& s) {
  std::map<std::int64_t, int> kinds;
  for (std::int64_t i = 0; i <= kLastCell; ++i) {
    if (s.cells.at(i).cell_mountain != 0) kinds[i] = s.cells.at(i).cell_mountain;
  }
  return kinds;
}

std::vector<std::int64_t> marker_cells(const Scenario& s) {
  std::vector<std::int64_t> markers;
  for (std::int64_t i = 0; i <= kLastCell; ++i) {
    if (s.cells.at(i).cell_type == cell_type::kMountainMarker) markers.push_back(i);
  }
  return markers;
}

class MountainStretches : public ::testing::TestWithParam<MountainCase> {};

TEST_P(MountainStretches, CoverTheirCellsWithKindAndMarkers) {
  const MountainCase& c = GetParam();
  Scenario s = with_cells();
  for (const Stretch& row : c.rows) memo_montagna(s, row.start, row.end, row.kind);
  std::map<std::int64_t, int> expected;
  for (const Span& r : c.spans) {
    for (std::int64_t i = r.from; i <= r.to; ++i) expected[i] = r.kind;
  }
  EXPECT_EQ(mountain_cells(s), expected);
  EXPECT_EQ(marker_cells(s), c.markers);
  EXPECT_EQ(s.mountains.mountain_count, static_cast<std::int32_t>(c.rows.size()));
  EXPECT_FALSE(s.errors.failed());
}

INSTANTIATE_TEST_SUITE_P(
    Mountain, MountainStretches,
    ::testing::Values(
        MountainCase{"MarkersEveryFourthCell", {{1100, 1550, 12}}, {{22, 30, 2}}, {25, 29}},
        MountainCase{"DistantSecondStretchKeepsItsKind",
                     {{1100, 1550, 12}, {2250, 2450, 12}},
                     {{22, 30, 2}, {45, 48, 2}},
                     {25, 29, 48}},
        MountainCase{"CloseSecondStretchBecomesKind3",
                     {{26700, 26800, 11}, {26900, 27100, 12}},
                     {{534, 535, 1}, {538, 541, 3}},
                     {541}},
        MountainCase{"SingleCell", {{14300, 14350, 2}}, {{286, 286, 2}}, {}},
        // Covers no cell, yet is the previous stretch of the next row.
        MountainCase{"EmptyStretchStillCounts", {{100, 120, 2}, {200, 400, 2}}, {{4, 7, 3}}, {}},
        MountainCase{"GapOf150IsClose", {{0, 500, 1}, {650, 800, 2}}, {{0, 9, 1}, {13, 15, 3}}, {}},
        MountainCase{"GapOf151IsNot", {{0, 500, 1}, {651, 800, 2}}, {{0, 9, 1}, {13, 15, 2}}, {}},
        MountainCase{"OverlapIsClose",
                     {{0, 1000, 1}, {500, 700, 12}},
                     {{0, 9, 1}, {10, 13, 3}, {14, 19, 1}},
                     {13}},
        // round(0.5) = 0 to round(2.5 - 1) = 2; round(41.5) = 42 to round(43.5 - 1) = 42.
        MountainCase{
            "HalvesGoToEven", {{25, 125, 1}, {2075, 2175, 2}}, {{0, 2, 1}, {42, 42, 2}}, {}},
        MountainCase{"Tipo10HasNoMarkers", {{0, 400, 10}}, {{0, 7, 10}}, {}},
        MountainCase{"Tipo11MarksKind1", {{0, 400, 11}}, {{0, 7, 1}}, {3, 7}}),
    [](const ::testing::TestParamInfo<MountainCase>& info) { return info.param.name; });

TEST(MountainMarkers, LeaveObjectsInPlaceButStillSetTheKind) {
  Scenario s = with_cells();
  s.cells.at(25).cell_type = cell_type::kSignboard;
  s.cells.at(25).cell_value = 80;
  std::int32_t start = 1100;
  std::int32_t end = 1550;
  std::int32_t kind = 12;
  memo_montagna(s, start, end, kind);
  EXPECT_EQ(s.cells.at(25).cell_type, cell_type::kSignboard);
  EXPECT_EQ(s.cells.at(25).cell_value, 80);
  EXPECT_EQ(s.cells.at(25).cell_mountain, 2);
  EXPECT_EQ(marker_cells(s), std::vector<std::int64_t>{29});
}

TEST(MountainTable, HoldsEightyStretchesAndRefusesTheEightyFirst) {
  Scenario s = with_cells();
  for (std::int32_t n = 1; n <= 80; ++n) {
    std::int32_t start = n * 1000;
    std::int32_t end = n * 1000 + 500;
    std::int32_t kind = 2;
    memo_montagna(s, start, end, kind);
  }
  EXPECT_EQ(s.mountains.mountain_count, 80);
  EXPECT_EQ(s.mountains.mountain_starts[1], 1000);
  EXPECT_EQ(s.mountains.mountain_ends[80], 80500);
  std::int32_t start = 90000;
  std::int32_t end = 90500;
  std::int32_t kind = 2;
  EXPECT_THROW(memo_montagna(s, start, end, kind), UnexpectedFailure);
}

}  // namespace
}  // namespace tracciato
