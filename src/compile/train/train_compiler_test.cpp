#include "compile/train/train_compiler.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "model/header_records.h"
#include "testing/descriptions.h"

namespace tracciato {
namespace {

using Rows = std::vector<std::string>;

// A 10000 m route: P = (10000 + 7000) / 50 = 340.
constexpr std::int32_t kP = 340;

const std::string& plain_line() {
  static const std::string line = test_support::line_description({});
  return line;
}

Scenario compile_train_rows(const Rows& rows, const std::string& line = plain_line()) {
  return test_support::compile(line, test_support::train_description(rows));
}

Scenario compile_train_text(const std::string& train) {
  return test_support::compile(plain_line(), train);
}

std::string station(std::int32_t at, int kind, std::int32_t length, int long_flag = 0,
                    int extension = 0, const std::string& name = "STAZIONE") {
  return "stazione, " + std::to_string(at) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0, " + std::to_string(long_flag) + ", " +
         std::to_string(extension) + ", 1,1,0, 2,1,1, 50, 14,20, 0, " + name;
}

std::string signal(std::int32_t at) {
  return "segnale, " + std::to_string(at) + ", 1, 4, 1, 0, 0, 1, 3,1,0, 0";
}

std::int16_t sand(const Scenario& s) {
  return signalling_record(s.header).sand;
}

// Expects cell speed `value` over cells first to last.
void expect_speed(const Scenario& s, std::int32_t first, std::int32_t last, int value) {
  for (std::int32_t i = first; i <= last; ++i) {
    ASSERT_EQ(s.cells.at(i).cell_speed, value) << "cell " << i;
  }
}

// ---- Reading the description ----

TEST(TrainReading, RowsBeforeTheGeneraleFieldAreSkipped) {
  const Scenario s = compile_train_text(test_support::crlf(
      {"sabbia, 7", "velocita, 0, 100", "intestazione [GeNeRaLe] treno", "sabbia, 100", "[fine]"}));
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(sand(s), 100);
  expect_speed(s, 0, kP, 0);
}

TEST(TrainReading, FileWithoutGeneraleHandlesNoRowButCompletes) {
  const Scenario s = compile_train_text(
      test_support::crlf({"sabbia, 7", "velocita, 0, 100", "aderenza, 0, 90", "[fine]"}));
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(sand(s), 0);
  for (std::int32_t i = 0; i <= kP; ++i) {
    ASSERT_EQ(s.cells.at(i).cell_speed, 0) << i;
    ASSERT_EQ(s.cells.at(i).cell_adhesion, 0) << i;
  }
}

TEST(TrainReading, SectionHeadersAreIgnored) {
  const Scenario s = compile_train_rows({"[aderenze]", "[vel_limite]", "[stazioni]",
                                         "[rallentamenti]", "[segnali]", "[codici]", "sabbia, 9"});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(sand(s), 9);
  EXPECT_EQ(StationView(s.header.at(1)).kind, 0);
  for (std::int32_t i = 0; i <= kP; ++i) ASSERT_EQ(s.cells.at(i).cell_type, 0) << i;
}

struct SandCase {
  const char* name;
  Rows rows;
  int sand;
};
void PrintTo(const SandCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainReadingKeywords : public ::testing::TestWithParam<SandCase> {};

TEST_P(TrainReadingKeywords, KeywordFieldAfterAtMostTwoCommentFields) {
  const Scenario s = compile_train_rows(GetParam().rows);
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(sand(s), GetParam().sand);
}

INSTANTIATE_TEST_SUITE_P(
    TrainDashLines, TrainReadingKeywords,
    ::testing::Values(
        SandCase{"TwoDashLinesThenARow", {"------", "------", "sabbia, 9"}, 9},
        SandCase{"ThirdDashFieldIsTheKeyword", {"------", "------", "-- sabbia --, 9"}, 9},
        SandCase{"DashFieldAfterOneDashLineIsSkipped", {"------", "-- sabbia --, 9"}, 0},
        // the third names no row and the next row still counts
        SandCase{"ThreeDashLinesThenARow", {"---", "---", "---", "sabbia, 9"}, 9},
        SandCase{"MinusInAValueBelongsToTheRow", {"sabbia, -9"}, -9},
        SandCase{"UnknownKeywordConsumesOnlyItself", {"ignoto, sabbia, 4"}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpellingCase {
  const char* name;
  const char* keyword;
};
void PrintTo(const SpellingCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainReadingSpeedKeyword : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(TrainReadingSpeedKeyword, IsRecognisedInAnySpelling) {
  const Scenario s = compile_train_rows({std::string(GetParam().keyword) + ", 0, 100"});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_speed(s, 0, kP - 3, 20);
}

INSTANTIATE_TEST_SUITE_P(TrainSpellings, TrainReadingSpeedKeyword,
                         ::testing::Values(SpellingCase{"LowerCase", "velocita"},
                                           SpellingCase{"Capitalised", "Velocita"},
                                           SpellingCase{"UpperCase", "VELOCITA"},
                                           // Windows-1252 a grave
                                           SpellingCase{"LowerCaseAccented", "velocit\xE0"},
                                           SpellingCase{"UpperCaseAccented", "VELOCIT\xC0"},
                                           SpellingCase{"WithinLongerText",
                                                        "limite di velocit\xE0 treno"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrainReading, ClockNumbersSeparatedByBlanksOnly) {
  const Scenario s =
      compile_train_rows({"orologio,    14              9             45 ", "sabbia,    100"});
  ASSERT_EQ(s.errors.error_code, 0);
  const auto signalling = signalling_record(s.header);
  EXPECT_EQ(signalling.clock_hours, 14);
  EXPECT_EQ(signalling.clock_minutes, 9);
  EXPECT_EQ(signalling.clock_seconds, 45);
  EXPECT_EQ(signalling.sand, 100);
}

TEST(TrainReading, GeneralValuesAndLaterRowsReplaceEarlier) {
  const Scenario s =
      compile_train_rows({"numero vetture,    4", "percentuale massa frenata,    105",
                          "MASSA FRENATA, 110", "sabbia, 1", "sabbia, 2"});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(train_values_record(s.header).car_count, 4);
  EXPECT_EQ(train_values_record(s.header).braked_mass_percentage, 110);
  EXPECT_EQ(sand(s), 2);
}

TEST(TrainReading, KeywordNamingTwoRowKindsReadsBothRows) {
  const Scenario s = compile_train_rows({"velocita aderenza, 0, 100, 0, 40"});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(kP - 3).cell_speed, 20);
  EXPECT_EQ(s.cells.at(kP - 3).cell_adhesion, 40);
}

TEST(TrainReading, DataRowOnTheLastLineIsProcessed) {
  const Scenario s = compile_train_text(
      test_support::crlf({"[generale]", "velocita,       0,    30", "velocita,  500,    80"}));
  ASSERT_EQ(s.errors.error_code, 0);
  expect_speed(s, 0, 9, 6);
  expect_speed(s, 10, kP - 3, 16);
}

TEST(TrainReading, EveryLineEndEndsARow) {
  for (const char* train : {"[generale]\nsabbia, 5\norologio, 14 9 45\n[fine]\n",
                            "[generale]\rsabbia, 5\rorologio, 14 9 45\r[fine]\r",
                            "[generale]\r\nsabbia, 5\norologio, 14 9 45\r[fine]"}) {
    const Scenario s = compile_train_text(train);
    EXPECT_EQ(s.errors.error_code, 0) << train;
    EXPECT_EQ(sand(s), 5) << train;
    EXPECT_EQ(signalling_record(s.header).clock_seconds, 45) << train;
  }
}

TEST(TrainReading, KeywordAloneOnTheLastLineIsNotProcessed) {
  const Scenario s = compile_train_text(test_support::crlf({"[generale]", "sabbia, 5", "sabbia"}));
  EXPECT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(sand(s), 5);
}

// ---- Speed and adhesion profiles ----

TEST(TrainProfiles, SpeedRunsFromRowToRowAndCompletesUpToPMinus3) {
  const Scenario s = compile_train_rows({"velocita,       0,    30", "velocita,     900,    80"});
  ASSERT_EQ(s.errors.error_code, 0);
  expect_speed(s, 0, 17, 6);
  expect_speed(s, 18, kP - 3, 16);
  expect_speed(s, kP - 2, kP, 0);
}

struct SpeedCase {
  const char* name;
  Rows rows;
  std::vector<std::pair<std::int32_t, int>> cells;  // index, expected cell speed
};
void PrintTo(const SpeedCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainSpeedProfile : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(TrainSpeedProfile, WritesCells) {
  const Scenario s = compile_train_rows(GetParam().rows);
  ASSERT_EQ(s.errors.error_code, 0);
  for (const auto& [i, v] : GetParam().cells)
    EXPECT_EQ(s.cells.at(i).cell_speed, v) << "cell " << i;
}

INSTANTIATE_TEST_SUITE_P(
    TrainSpeedCases, TrainSpeedProfile,
    ::testing::Values(
        // the first row at 100 writes 0 into cells 0 and 1, its speed from cell 2
        SpeedCase{"FirstRowAt100", {"velocita, 100, 50"}, {{0, 0}, {1, 0}, {2, 10}, {kP - 3, 10}}},
        // a repeated or decreasing position writes one cell with the previous speed
        SpeedCase{"RepeatedPosition",
                  {"velocita, 0, 30", "velocita, 500, 50", "velocita, 500, 70"},
                  {{9, 6}, {10, 10}, {11, 14}, {kP - 3, 14}}},
        SpeedCase{"DecreasingPosition",
                  {"velocita, 0, 30", "velocita, 500, 50", "velocita, 200, 70"},
                  {{9, 6}, {10, 10}, {11, 14}}},
        // positions and speeds round to the nearest, halves to even
        SpeedCase{"HalfCellRoundsToEven",
                  {"velocita, 0, 33", "velocita, 125, 52", "velocita, 175, 70"},
                  {{1, 7}, {2, 10}, {3, 10}, {4, 14}}},
        SpeedCase{"FastestThatFits", {"velocita, 0, 1277"}, {{0, 255}, {kP - 3, 255}}},
        // a row whose cell is P - 2 leaves the completion a single cell
        SpeedCase{"LastRowAtPMinus2",
                  {"velocita, 0, 30", "velocita, 16900, 80"},
                  {{337, 6}, {338, 16}, {339, 0}, {kP, 0}}},
        // the row loop never writes the last cell; the completion writes it once
        SpeedCase{"FillStopsAtTheLastCell",
                  {"velocita, 0, 30", "velocita, 16900, 40", "velocita, 16900, 50",
                   "velocita, 16900, 60", "velocita, 16900, 70"},
                  {{337, 6}, {338, 8}, {339, 10}, {kP, 14}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrainProfiles, AdhesionRunsFromRowToRowKeepingLowBits) {
  const Scenario s = compile_train_rows({"aderenza, 0, 100", "aderenza, 500, 300"});
  ASSERT_EQ(s.errors.error_code, 0);
  for (std::int32_t i = 0; i <= kP; ++i) {
    const int expected = i < 10 ? 100 : i <= kP - 3 ? 44 : 0;
    ASSERT_EQ(s.cells.at(i).cell_adhesion, expected) << "cell " << i;
  }
}

// ---- Stations ----

TEST(TrainStations, FirstStationOfTheScenario) {
  const Scenario s = compile_train_rows(
      {"stazione,       0,  7,  300,  1, 0, 0,  4,1,0,  2,1,1,    1,  14,10, 0, BRENZANO C.le"});
  ASSERT_EQ(s.errors.error_code, 0);
  const StationView station(s.header.at(1));
  EXPECT_EQ(station.kind, 7);
  EXPECT_EQ(station.position, 0);
  EXPECT_EQ(station.platform_start, -300);
  EXPECT_EQ(station.platform_end, 300);
  EXPECT_EQ(station.station_flag, 1);
  EXPECT_EQ(station.long_platform_flag, 0);
  EXPECT_EQ(station.end_extension_flag, 0);
  EXPECT_EQ(station.value_1, 4);
  EXPECT_EQ(station.value_2, 1);
  EXPECT_EQ(station.value_3, 0);
  EXPECT_EQ(station.value_4, 2);
  EXPECT_EQ(station.value_5, 1);
  EXPECT_EQ(station.value_6, 1);
  EXPECT_EQ(station.stop_duration, 1);
  EXPECT_EQ(station.departure_time, 51000);
  EXPECT_EQ(station.name, "BRENZANO C.le");
  EXPECT_EQ(s.cells.at(5).cell_type, cell_type::kStationMarker);
  EXPECT_EQ(s.cells.at(5).cell_value, 1);
  EXPECT_EQ(s.cells.at(4).cell_approach_mark, 81);
  EXPECT_EQ(s.cells.at(3).cell_approach_mark, 82);
  EXPECT_EQ(s.cells.at(2).cell_approach_mark, 83);
  EXPECT_EQ(s.cells.at(1).cell_approach_mark, 0);
  EXPECT_EQ(StationView(s.header.at(2)).kind, 0);
}

TEST(TrainStations, NameRunsToTheLineEndAsStoredBytes) {
  const Scenario s =
      compile_train_rows({station(5000, 2, 200, 0, 0, "S. MARIA-CITT\xC0 ALTA  "), "sabbia, 4"});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(StationView(s.header.at(1)).name, "S. MARIA-CITT\xC0 ALTA  ");
  EXPECT_EQ(sand(s), 4);
}

// Station markers and approach marks are written over whatever their cells hold.
TEST(TrainStations, MarksOverwriteEarlierObjects) {
  // the signal at 5000 (cell 101, marks 41 to 44 on 99, 97, 95, 93) comes first
  const Scenario s = compile_train_rows({signal(5000), station(5000, 2, 200)});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(101).cell_type, cell_type::kStationMarker);
  EXPECT_EQ(s.cells.at(101).cell_value, 1);
  EXPECT_EQ(s.cells.at(99).cell_approach_mark, 82);
  EXPECT_EQ(s.cells.at(97).cell_approach_mark, 84);
  EXPECT_EQ(s.cells.at(95).cell_approach_mark, 43);
}

struct StationCase {
  const char* name;
  int kind;
  std::int32_t length;
  int long_flag;
  int extension;
  std::int32_t start, end;
  int end_extension_flag, long_platform_flag;
  std::int32_t marker;  // -1: no station marker
  bool marks;
};
void PrintTo(const StationCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainStationKinds : public ::testing::TestWithParam<StationCase> {};

// The station under test is the second, at 5000 m, after one at 0 that marks nothing.
TEST_P(TrainStationKinds, PlatformMarkerAndApproachMarks) {
  const StationCase c = GetParam();
  const Scenario s = compile_train_rows(
      {station(0, 30, 100), station(5000, c.kind, c.length, c.long_flag, c.extension)});
  ASSERT_EQ(s.errors.error_code, 0);
  const StationView station(s.header.at(2));
  EXPECT_EQ(station.kind, c.kind);
  EXPECT_EQ(station.platform_start, c.start);
  EXPECT_EQ(station.platform_end, c.end);
  EXPECT_EQ(station.end_extension_flag, c.end_extension_flag);
  EXPECT_EQ(station.long_platform_flag, c.long_platform_flag);
  for (std::int32_t i = 0; i <= kP; ++i) {
    const TrackCell& cell = s.cells.at(i);
    if (i == c.marker) {
      EXPECT_EQ(cell.cell_type, cell_type::kStationMarker);
      EXPECT_EQ(cell.cell_value, 2);
    } else {
      EXPECT_EQ(cell.cell_type, 0) << "cell " << i;
    }
    const std::int32_t k = c.marker - i;
    const int mark = c.marks && k >= 1 && k <= 4 ? 80 + k : 0;
    EXPECT_EQ(cell.cell_approach_mark, mark) << "cell " << i;
  }
}

// Long: the long-platform flag; Extended: the extension flag.
INSTANTIATE_TEST_SUITE_P(
    TrainKinds, TrainStationKinds,
    ::testing::Values(StationCase{"Kind2Long", 2, 400, 1, 0, 4800, 5200, 0, 0, 103, true},
                      StationCase{"Kind2LongExtended", 2, 600, 1, 1, 4700, 5350, 1, 1, 106, true},
                      StationCase{"Kind26", 26, 1000, 0, 0, 4500, 5500, 0, 0, -1, false},
                      StationCase{"Kind5LongExtended", 5, 400, 1, 1, 4600, 5150, 0, 0, 102, false},
                      StationCase{"Kind6Long", 6, 800, 1, 0, 4200, 5150, 0, 1, 102, false},
                      StationCase{"Kind7Extended", 7, 300, 0, 1, 4700, 5300, 0, 0, 105, true},
                      StationCase{"Kind8Long", 8, 700, 1, 0, 4300, 5700, 0, 1, 113, true},
                      StationCase{"Kind24Extended", 24, 200, 0, 1, 4900, 5150, 1, 0, 102, true},
                      StationCase{"Kind25LongExtended", 25, 400, 1, 1, 4800, 5250, 1, 0, -1,
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrainStations, FirstStationFlagsAreClearedAfterItsPlatformIsPlaced) {
  const Scenario s = compile_train_rows({station(5000, 2, 600, 1, 1)});
  ASSERT_EQ(s.errors.error_code, 0);
  const StationView station(s.header.at(1));
  EXPECT_EQ(station.platform_end, 5350);
  EXPECT_EQ(station.end_extension_flag, 0);
  EXPECT_EQ(station.long_platform_flag, 0);
  EXPECT_EQ(s.cells.at(106).cell_type, cell_type::kStationMarker);
}

struct StationErrorCase {
  const char* name;
  Rows rows;
  std::int32_t code;
  std::int32_t position;  // -1: not checked
};
void PrintTo(const StationErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainStationErrors : public ::testing::TestWithParam<StationErrorCase> {};

TEST_P(TrainStationErrors, RecordsCode) {
  const StationErrorCase& c = GetParam();
  const Scenario s = compile_train_rows(c.rows);
  EXPECT_EQ(s.errors.error_code, c.code);
  if (c.position >= 0) {
    EXPECT_EQ(s.errors.error_position, c.position);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TrainStationCases, TrainStationErrors,
    ::testing::Values(
        StationErrorCase{"PositionNotMultipleOf50", {station(5025, 2, 200)}, 8, 5025},
        StationErrorCase{"NegativeMultipleOf50Passes", {station(-100, 30, 100)}, 0, -1},
        StationErrorCase{"LengthNotMultipleOf100", {station(5000, 2, 250)}, 9, 5000},
        // platform end 1100, next platform start 1400: 300 m apart
        StationErrorCase{
            "PlatformsTooClose", {station(1000, 2, 200), station(1500, 2, 200)}, 22, 1500},
        StationErrorCase{
            "Platforms350Apart", {station(1000, 2, 200), station(1550, 2, 200)}, 0, -1},
        StationErrorCase{"SpacingAppliesToUnmarkedKinds",
                         {station(1000, 30, 200), station(1500, 30, 200)},
                         22,
                         1500},
        StationErrorCase{"EndAt100", {station(0, 2, 200)}, 24, -1},
        StationErrorCase{"EndAt150", {station(0, 2, 300)}, 0, -1},
        StationErrorCase{"KindFiveEndAt50", {station(-100, 5, 100)}, 24, -1},
        StationErrorCase{"UnmarkedKindEndAt50", {station(0, 25, 100)}, 0, -1},
        // (16200 + 800) / 50 = 340 fits; 16250 does not
        StationErrorCase{"LastThatFits", {station(16200, 30, 200)}, 0, -1},
        StationErrorCase{"BeyondTheRoute", {station(16250, 30, 200)}, 15, 16250}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrainStations, FailedStationKeepsWhatWasReadAndSkipsCompletion) {
  const Scenario s =
      compile_train_rows({"velocita, 0, 30", "velocita, 500, 50", station(5000, 12, 250)});
  ASSERT_EQ(s.errors.error_code, 9);
  const StationView failed(s.header.at(1));
  EXPECT_EQ(failed.position, 5000);
  EXPECT_EQ(failed.kind, 12);
  EXPECT_EQ(s.cells.at(9).cell_speed, 6);
  EXPECT_EQ(s.cells.at(10).cell_speed, 0);
}

TEST(TrainStations, StationBeyondTheRouteStillCompletesTheProfiles) {
  const Scenario s = compile_train_rows({"velocita, 0, 30", station(16250, 30, 200), "sabbia, 3"});
  ASSERT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 16250);
  expect_speed(s, 0, kP - 3, 6);
  EXPECT_EQ(sand(s), 0);
}

// Station and signboard records share 1 to 80, with two always free between them.
TEST(TrainStations, SignboardsTakeStationPlaces) {
  Rows signboards;
  for (int i = 0; i < 77; ++i) {
    signboards.push_back("cartello_indicatore, " + std::to_string(2000 + 50 * i) + ", (F)");
  }
  const std::string line = test_support::line_description(signboards);
  const Scenario one = compile_train_rows({station(0, 30, 100)}, line);
  EXPECT_EQ(one.errors.error_code, 0);
  const Scenario two = compile_train_rows({station(0, 30, 100), station(1000, 30, 100)}, line);
  EXPECT_EQ(two.errors.error_code, 10);
  EXPECT_EQ(StationView(two.header.at(2)).position, 1000);
}

TEST(TrainStations, SeventyEightStationsFitWithoutSignboards) {
  Rows rows;
  for (int i = 0; i < 79; ++i) rows.push_back(station(500 * i, 30, 100));
  const std::string line = test_support::line_description({}, 50000);
  const Scenario s78 = compile_train_rows(Rows(rows.begin(), rows.end() - 1), line);
  EXPECT_EQ(s78.errors.error_code, 0);
  EXPECT_EQ(StationView(s78.header.at(78)).position, 500 * 77);
  const Scenario s79 = compile_train_rows(rows, line);
  EXPECT_EQ(s79.errors.error_code, 10);
}

// ---- Code drops ----

TEST(TrainCodeDrops, PlaceMarkersAtPositionOver50) {
  const Scenario s = compile_train_rows({"abbattimento, 1000, 120", "abbattimento, 1075, 70000",
                                         "abbattimento, 2000, 0", "abbattimento, 2500, -4"});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(20).cell_type, cell_type::kCodeMarker);
  EXPECT_EQ(s.cells.at(20).cell_value, 120);
  EXPECT_EQ(s.cells.at(22).cell_type, cell_type::kCodeMarker);  // 21.5 rounds to 22
  EXPECT_EQ(s.cells.at(22).cell_value, 70000 - 65536);
  EXPECT_EQ(s.cells.at(40).cell_type, cell_type::kCodeEndMarker);
  EXPECT_EQ(s.cells.at(50).cell_type, cell_type::kCodeEndMarker);
  EXPECT_EQ(s.cells.at(50).cell_value, 0);
}

// A mountain stretch 1100 to 1550 asking for markers puts one on cell 25.
TEST(TrainCodeDrops, ReplaceAMountainMarkerButNotASignal) {
  const std::string line = test_support::line_description({"montagna, 1100, 1550, 12"});
  const Scenario drop = compile_train_rows({"abbattimento, 1250, 0"}, line);
  ASSERT_EQ(drop.errors.error_code, 0);
  EXPECT_EQ(drop.cells.at(25).cell_type, cell_type::kCodeEndMarker);
  EXPECT_EQ(drop.cells.at(25).cell_mountain, 2);

  const Scenario taken = compile_train_rows({signal(1200), "abbattimento, 1250, 5"});
  EXPECT_EQ(taken.errors.error_code, 7);
  EXPECT_EQ(taken.errors.error_position, 1250);
  EXPECT_EQ(taken.cells.at(25).cell_type, cell_type::kSignal);
}

// ---- Errors between the phases ----

const std::string& line_with_gradient_beyond_route() {
  static const std::string line = test_support::line_description({"pendenza, 20000, 5"});
  return line;
}

TEST(TrainErrors, LineRangeErrorStillCompilesTheTrain) {
  const Scenario s =
      compile_train_rows({"velocita, 0, 30", "sabbia, 3"}, line_with_gradient_beyond_route());
  EXPECT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 20000);
  EXPECT_EQ(sand(s), 3);
  expect_speed(s, 0, kP - 3, 6);
}

struct RecorderRowCase {
  const char* name;
  const char* row;
};
void PrintTo(const RecorderRowCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainErrorsRecorderRow : public ::testing::TestWithParam<RecorderRowCase> {};

TEST_P(TrainErrorsRecorderRow, EndsThePhaseKeepingTheLineRangeError) {
  const Scenario s =
      compile_train_rows({"velocita, 0, 30", "velocita, 500, 50", GetParam().row, "sabbia, 3"},
                         line_with_gradient_beyond_route());
  EXPECT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 2000);
  EXPECT_EQ(s.cells.at(9).cell_speed, 6);
  EXPECT_EQ(s.cells.at(10).cell_speed, 0);  // no completion
  EXPECT_EQ(sand(s), 0);                    // no later row
}

INSTANTIATE_TEST_SUITE_P(
    TrainRecorderRows, TrainErrorsRecorderRow,
    ::testing::Values(RecorderRowCase{"Signal", "segnale, 2000, 1, 4, 1, 0, 0, 1, 3,1,0, 0"},
                      RecorderRowCase{"Slowdown", "rallentamento, 2000, 50, 200, 1, 0, 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrainErrors, BadProgressiveReplacesRangeErrors) {
  const std::string bad_progressive = "progressiva chilometrica uno, 25, 1000, 0";
  const Rows general = {"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 0, 0",
                        bad_progressive};
  const Scenario line_range = compile_train_rows(
      {"sabbia, 3"}, test_support::line_description_with(general, {"pendenza, 20000, 5"}));
  EXPECT_EQ(line_range.errors.error_code, 2);
  const Scenario train_range =
      compile_train_rows({"velocita, 20000, 5"}, test_support::line_description_with(general, {}));
  EXPECT_EQ(train_range.errors.error_code, 2);
  const Scenario fine = compile_train_rows({"sabbia, 3"}, test_support::line_description({}));
  EXPECT_EQ(fine.errors.error_code, 0);
}

TEST(TrainErrors, RowsBeyondTheRouteEndReading) {
  for (const std::string row :
       {"velocita, 16901, 5", "aderenza, 16901, 5", "segnale, 16901, 1, 4, 1, 0, 0, 1, 3,1,0, 0",
        "rallentamento, 16901, 50, 0, 1, 0, 0", "abbattimento, 16901, 5"}) {
    const Scenario s = compile_train_rows({"velocita, 0, 30", row, "sabbia, 3"});
    EXPECT_EQ(s.errors.error_code, 15) << row;
    EXPECT_EQ(s.errors.error_position, 16901) << row;
    EXPECT_EQ(sand(s), 0) << row;
    EXPECT_EQ(s.cells.at(kP - 3).cell_speed, 6) << row;
  }
  const Scenario last = compile_train_rows({"abbattimento, 16900, 5"});
  EXPECT_EQ(last.errors.error_code, 0);
  EXPECT_EQ(last.cells.at(338).cell_type, cell_type::kCodeMarker);
}

struct FailureCase {
  const char* name;
  std::string train;
};
void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class TrainUnexpectedFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TrainUnexpectedFailures, Give25) {
  const Scenario s = compile_train_text(GetParam().train);
  EXPECT_EQ(s.errors.error_code, 25);
}

INSTANTIATE_TEST_SUITE_P(
    TrainFailureCases, TrainUnexpectedFailures,
    ::testing::Values(
        FailureCase{"EmptyFile", ""},
        FailureCase{"RowCutByTheEndOfFile", test_support::crlf({"[generale]", "velocita, 100"})},
        FailureCase{"TextInANumber", test_support::train_description({"velocita, 100, veloce"})},
        FailureCase{"SpeedAbove1277",
                    test_support::train_description({"velocita, 0, 1278", "velocita, 500, 30"})},
        FailureCase{"SpeedAbove1277AtCompletion",
                    test_support::train_description({"velocita, 0, 1278"})},
        FailureCase{"NegativeSpeed", test_support::train_description({"velocita, 0, -5"})},
        FailureCase{"SandBeyond16Bits", test_support::train_description({"sabbia, 32768"})},
        FailureCase{"ClockBeyond16Bits",
                    test_support::train_description({"orologio, 14 9 -32769"})},
        FailureCase{"StationKindBeyond8Bits",
                    test_support::train_description({station(5000, 256, 200)})},
        FailureCase{"NegativeCodeDrop", test_support::train_description({"abbattimento, -100, 5"})},
        FailureCase{"SignalApproachBeforeCellZero", test_support::train_description({signal(300)})},
        FailureCase{"SlowdownEndBeyondTheRoute",
                    test_support::train_description({"rallentamento, 16000, 50, 1000, 1, 0, 0"})},
        FailureCase{"AdhesionFillBeyondTheLastCell",
                    test_support::train_description({"aderenza, 16900, 1", "aderenza, 16900, 1",
                                                     "aderenza, 16900, 1", "aderenza, 16900, 1",
                                                     "aderenza, 16900, 1"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrainErrors, LowestSignalThatFits) {
  const Scenario s = compile_train_rows({signal(325)});
  ASSERT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(8).cell_type, cell_type::kSignal);
  EXPECT_EQ(s.cells.at(0).cell_approach_mark, 44);
}

}  // namespace
}  // namespace tracciato
