#include "compile/signals/code_pass.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace tracciato {
namespace {

constexpr std::int64_t kP = 400;

struct Put {
  std::int64_t i;
  std::uint8_t type;
  std::int16_t value = 0;
};

struct PassCase {
  const char* name;
  std::vector<Put> cells;
  std::map<std::int64_t, std::int16_t> changed;  // cell -> code marker value after the pass
  std::int32_t code = 0;
  std::int32_t position = 0;
};
void PrintTo(const PassCase& c, std::ostream* os) {
  *os << c.name;
}

// Lays the cells out on an array 0 to 400, runs the pass and returns the cells whose type
// or value it changed; every such cell must be a code marker and keep its other fields.
std::map<std::int64_t, std::int16_t> run_pass(Scenario& s, const std::vector<Put>& cells) {
  s.cells.allocate(kP);
  for (std::int64_t i = 0; i <= kP; ++i) {
    TrackCell& c = s.cells.at(i);
    c.cell_value_2 = 7;
    c.cell_approach_mark = 41;
    c.cell_mountain = 2;
    c.cell_speed = 16;
  }
  for (const Put& p : cells) {
    s.cells.at(p.i).cell_type = p.type;
    s.cells.at(p.i).cell_value = p.value;
  }
  const std::vector<TrackCell> before = s.cells.cells();
  signal_code_pass(s);
  std::map<std::int64_t, std::int16_t> changed;
  for (std::int64_t i = 0; i <= kP; ++i) {
    const TrackCell& a = before[static_cast<std::size_t>(i)];
    const TrackCell& b = s.cells.at(i);
    EXPECT_EQ(b.cell_value_2, a.cell_value_2) << "cell " << i;
    EXPECT_EQ(b.cell_approach_mark, a.cell_approach_mark) << "cell " << i;
    EXPECT_EQ(b.cell_mountain, a.cell_mountain) << "cell " << i;
    EXPECT_EQ(b.cell_speed, a.cell_speed) << "cell " << i;
    if (a.cell_type == b.cell_type && a.cell_value == b.cell_value) continue;
    EXPECT_EQ(b.cell_type, cell_type::kCodeMarker) << "cell " << i;
    changed[i] = b.cell_value;
  }
  return changed;
}

std::map<std::int64_t, std::int16_t> markers(std::initializer_list<std::int64_t> cells) {
  std::map<std::int64_t, std::int16_t> m;
  for (const std::int64_t i : cells) m[i] = 180;
  return m;
}

class CodePassLayout : public ::testing::TestWithParam<PassCase> {};

TEST_P(CodePassLayout, PlacesMarkers) {
  const PassCase& c = GetParam();
  Scenario s;
  EXPECT_EQ(run_pass(s, c.cells), c.changed);
  EXPECT_EQ(s.errors.error_code, c.code);
  if (c.code != 0) {
    EXPECT_EQ(s.errors.error_position, c.position);
  }
}

std::string case_name(const ::testing::TestParamInfo<PassCase>& info) {
  return info.param.name;
}

using namespace cell_type;

// A 60 km/h slowdown from 10000 to 11000 m: warning 177, start 201, end 221; signals at
// 170 and 226.
INSTANTIATE_TEST_SUITE_P(CodePassExample, CodePassLayout,
                         ::testing::Values(PassCase{"Slowdown10000To11000",
                                                    {{177, kSlowdownWarning, 60},
                                                     {201, kSlowdownStart, 60},
                                                     {221, kSlowdownEnd, 60},
                                                     {170, kSignal},
                                                     {226, kSignal}},
                                                    markers({169, 196, 190, 183, 209, 217, 225})}),
                         case_name);

// A warning cell at 100 (at 10 for the lowest cells); signals before it.
INSTANTIATE_TEST_SUITE_P(
    CodePassLookBack, CodePassLayout,
    ::testing::Values(
        PassCase{"SignalTwentyBefore", {{100, kSlowdownWarning}, {80, kSignal}}, markers({79})},
        PassCase{"SignalTwentyOneBefore", {{100, kSlowdownWarning}, {79, kSignal}}, {}},
        PassCase{"EverySignalInReach",
                 {{100, kSlowdownWarning}, {95, kSignal}, {85, kSignal}, {81, kSignal}},
                 markers({94, 84, 80})},
        PassCase{"NearerCellTaken",
                 {{100, kSlowdownWarning}, {95, kSignal}, {94, kSpeedBoard}},
                 markers({93})},
        PassCase{"MountainMarkerReplaced",
                 {{100, kSlowdownWarning}, {95, kSignal}, {94, kMountainMarker}},
                 markers({94})},
        // a free farther cell comes before capping the nearer marker
        PassCase{"FreeCellBeforeCapping",
                 {{100, kSlowdownWarning}, {95, kSignal}, {94, kCodeMarker, 250}},
                 markers({93})},
        PassCase{
            "NearerMarkerCapped",
            {{100, kSlowdownWarning}, {95, kSignal}, {94, kCodeMarker, 250}, {93, kStationMarker}},
            markers({94})},
        PassCase{"LowMarkerKept",
                 {{100, kSlowdownWarning}, {95, kSignal}, {94, kCodeMarker, 75}, {93, kSignboard}},
                 {}},
        PassCase{"FartherMarkerCapped",
                 {{100, kSlowdownWarning}, {95, kSignal}, {94, kSignboard}, {93, kCodeMarker, 181}},
                 markers({93})},
        PassCase{"NoRoomGives11",
                 {{100, kSlowdownWarning},
                  {95, kSignal},
                  {94, kSignboard},
                  {93, kCodeEndMarker},
                  {85, kSignal}},
                 markers({84}),
                 11,
                 95 * 50},
        PassCase{"SignalsAtOneAndTwoNotLookedAt",
                 {{10, kSlowdownWarning}, {2, kSignal}, {1, kSignal}, {0, kSpeedBoard}},
                 {}},
        PassCase{"SignalAtThree", {{10, kSlowdownWarning}, {3, kSignal}}, markers({2})},
        PassCase{"SignalAtThreeMarksCellOne",
                 {{10, kSlowdownWarning}, {3, kSignal}, {2, kSpeedBoard}},
                 markers({1})},
        PassCase{"SignalAtThreeWithoutRoom",
                 {{10, kSlowdownWarning}, {3, kSignal}, {2, kSpeedBoard}, {1, kSpeedBoard}},
                 {},
                 11,
                 150}),
    case_name);

// A slowdown start of 110 km/h (no repeat markers) followed by its end cell.
PassCase bands(const char* name, std::int64_t c, std::vector<Put> more,
               std::initializer_list<std::int64_t> marked, std::int32_t code = 0) {
  more.push_back({c, kSlowdownStart, 110});
  more.push_back({c + 1, kSlowdownEnd, 110});
  return {name, std::move(more), markers(marked), code, static_cast<std::int32_t>(c * 50)};
}

INSTANTIATE_TEST_SUITE_P(
    CodePassBands, CodePassLayout,
    ::testing::Values(bands("StartAt7", 7, {}, {}), bands("StartAt8", 8, {}, {3}),
                      bands("StartAt13", 13, {}, {8}), bands("StartAt14", 14, {}, {9, 3}),
                      bands("StartAt20", 20, {}, {15, 9}), bands("StartAt21", 21, {}, {16, 10, 3}),
                      bands("StartAtPMinus2", kP - 2, {}, {kP - 7, kP - 13, kP - 20}),
                      bands("StartAtPMinus1NotVisited", kP - 1, {}, {}),
                      bands("MountainMarkerReplaced", 100, {{95, kMountainMarker}}, {95, 89, 82}),
                      bands("SignalPassedOver", 100, {{95, kSignal}}, {94, 89, 82}),
                      bands("AdvanceCellPassedOver", 100, {{95, kSlowdownAdvance}}, {94, 89, 82}),
                      bands("BoardPassedOver", 100, {{95, kSpeedBoard}}, {94, 89, 82}),
                      bands("StationPassedOver", 100, {{95, kStationMarker}}, {94, 89, 82}),
                      bands("CodeEndPassedOver", 100, {{95, kCodeEndMarker}}, {94, 89, 82}),
                      bands("SignboardPassedOver", 100, {{95, kSignboard}}, {94, 89, 82}),
                      bands("CodeMarkerPassedOverUncapped", 100, {{95, kCodeMarker, 250}},
                            {94, 89, 82}),
                      bands("LastCellOfEachBand", 100,
                            {{95, kSpeedBoard},
                             {94, kSpeedBoard},
                             {89, kSpeedBoard},
                             {88, kSpeedBoard},
                             {82, kSpeedBoard},
                             {81, kSpeedBoard}},
                            {93, 87, 80}),
                      bands("FullBandsGive12AndTheNextIsStillTried", 100,
                            {{95, kSpeedBoard},
                             {94, kSpeedBoard},
                             {93, kSpeedBoard},
                             {89, kSignboard},
                             {88, kSignboard},
                             {87, kSignboard}},
                            {82}, 12),
                      bands("StartAt8MarksCellOne", 8, {{3, kSpeedBoard}, {2, kSpeedBoard}}, {1})),
    case_name);

// A slowdown start at 7 (no approach bands) and its end cell 7 + length.
PassCase walk(const char* name, std::int16_t speed, std::int64_t end, std::vector<Put> more,
              std::initializer_list<std::int64_t> marked, std::int32_t code = 0,
              std::int32_t position = 0) {
  more.push_back({7, kSlowdownStart, speed});
  more.push_back({end, kSlowdownEnd, speed});
  return {name, std::move(more), markers(marked), code, position};
}

INSTANTIATE_TEST_SUITE_P(
    CodePassRepeatWalk, CodePassLayout,
    ::testing::Values(
        walk("Speed109", 109, 27, {}, {15, 23}), walk("Speed110", 110, 27, {}, {}),
        walk("NegativeSpeed", -1, 27, {}, {15, 23}),
        walk("EightCellsLongMarksBeforeTheEnd", 60, 15, {}, {14}),
        walk("EightCellsLongMarksAfterTheEnd", 60, 15, {{14, kSpeedBoard}}, {16}),
        walk("MovedBackKeepsEightCells", 60, 37, {{15, kSpeedBoard}}, {14, 22, 30}),
        walk("MovedForwardKeepsEightCells", 60, 37, {{15, kSpeedBoard}, {14, kSpeedBoard}},
             {16, 24, 32}),
        walk("MountainMarkerReplaced", 60, 20, {{15, kMountainMarker}}, {15}),
        walk("NoRoomStopsThisSlowdown", 60, 47,
             {{15, kSpeedBoard}, {14, kSpeedBoard}, {16, kSpeedBoard}}, {}, 13, 15 * 50),
        walk("LaterSlowdownAfterError", 60, 47,
             {{15, kSpeedBoard},
              {14, kSpeedBoard},
              {16, kSpeedBoard},
              {60, kSlowdownStart, 50},
              {80, kSlowdownEnd, 50}},
             {55, 49, 42, 68, 76}, 13, 15 * 50),
        // the walk ends at the first end cell, whichever slowdown placed it
        // (the second start's near band marks cell 6)
        walk("EndsAtTheFirstEndCell", 60, 37, {{12, kSlowdownStart, 110}, {20, kSlowdownEnd, 110}},
             {6, 15}),
        // no end cell: the walk stops at the last cell, the end search runs from there
        PassCase{"NoEndCellBeforeTheArrayEnds",
                 {{kP - 12, kSlowdownStart, 60}, {kP, kSignal}},
                 markers({kP - 17, kP - 23, kP - 30, kP - 4, kP - 1})}),
    case_name);

// A slowdown start of 110 km/h at 7 with its end cell at 11.
INSTANTIATE_TEST_SUITE_P(
    CodePassEndSearch, CodePassLayout,
    ::testing::Values(walk("SignalTwelveAfterTheEnd", 110, 11, {{23, kSignal}}, {22}),
                      walk("SignalThirteenAfterTheEnd", 110, 11, {{24, kSignal}}, {}),
                      walk("SignalRightAfterTheEnd", 110, 11, {{12, kSignal}}, {10}),
                      walk("NearerCellTaken", 110, 11, {{15, kSignal}, {14, kSpeedBoard}}, {13}),
                      walk("MarkerIsNotCapped", 110, 11, {{15, kSignal}, {14, kCodeMarker, 250}},
                           {13}),
                      walk("OnlyTheFirstSignal", 110, 11, {{15, kSignal}, {20, kSignal}}, {14}),
                      walk("NoRoomGives13AtTheEnd", 110, 11,
                           {{15, kSignal}, {14, kSpeedBoard}, {13, kSignboard}}, {}, 13, 11 * 50)),
    case_name);

TEST(CodePass, TrackWithoutSlowdownsIsUnchanged) {
  Scenario s;
  const auto changed = run_pass(s, {{3, kSignal},
                                    {5, kMountainMarker},
                                    {20, kCodeMarker, 250},
                                    {21, kSignal},
                                    {30, kSlowdownAdvance, 1},
                                    {40, kSlowdownEnd, 50},
                                    {50, kSpeedBoard},
                                    {60, kStationMarker, 1},
                                    {70, kCodeEndMarker},
                                    {80, kSignboard, 80}});
  EXPECT_TRUE(changed.empty());
  EXPECT_EQ(s.errors.error_code, 0);
}

TEST(CodePass, LaterErrorReplacesEarlier) {
  Scenario s;
  run_pass(s, {{100, kSlowdownWarning},
               {95, kSignal},
               {94, kSignboard},
               {93, kSignboard},
               {150, kSlowdownStart, 110},
               {151, kSlowdownEnd, 110},
               {145, kSignboard},
               {144, kSignboard},
               {143, kSignboard}});
  EXPECT_EQ(s.errors.error_code, 12);
  EXPECT_EQ(s.errors.error_position, 150 * 50);
}

}  // namespace
}  // namespace tracciato
