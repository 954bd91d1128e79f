#include "commands/report/report_content.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "testing/descriptions.h"

namespace tracciato {
namespace {

using test_support::line_description;
using test_support::train_description;

// A 10000 m line whose every object sits at a position known from its row.
const std::vector<std::string> kLineRows = {
    "pendenza,   0,   0",  "pendenza,  1000,   5",         "pendenza,  2000,  -3",
    "curvad5,  500,  300", "montagna,   3000,  3500,  12", "cartello_indicatore,  4000,   (Ponte)"};

const std::vector<std::string> kTrainRows = {
    "velocita,       0,    60",
    "velocita,    5000,   100",
    "stazione,    1000,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  8, 5, 0, PRIMA",
    "stazione,    6000, 12,  400,  0, 0, 0,  3,1,0,  2,1,1,   60,  8,15,30, SECONDA",
    "segnale,     2500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,     7000,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,     9000,   2, 3, 2,  1, 0,    1,  2,1,0, 235",
    "rallentamento,   8000,    30,  400, 1,  0,  0"};

TEST(ReportContent, ObjectsStandWhereTheirRowsPutThem) {
  const Scenario s =
      test_support::compile(line_description(kLineRows), train_description(kTrainRows));
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const ReportContent c = read_content(s);
  EXPECT_EQ(c.route_length, 10000);
  EXPECT_EQ(c.cells_end, 341 * 50);
  ASSERT_EQ(c.stations.size(), 2u);
  const StationMark& second = c.stations[1];
  EXPECT_EQ(second.record, 2);
  EXPECT_EQ(second.name, "SECONDA");
  EXPECT_EQ(second.position, 6000);
  EXPECT_EQ(second.platform_start, 5800);
  EXPECT_EQ(second.platform_end, 6200);
  EXPECT_EQ(second.stop, 60);
  EXPECT_EQ(second.departure, (8 * 60 + 15) * 60 + 30);
  ASSERT_EQ(c.signals.size(), 3u);
  EXPECT_EQ(c.signals[0].position, 2500);
  EXPECT_EQ(c.signals[1].position, 7000);
  EXPECT_EQ(c.signals[2].position, 9000);
  ASSERT_EQ(c.slowdowns.size(), 1u);
  EXPECT_EQ(c.slowdowns[0].start, 8000);
  EXPECT_EQ(c.slowdowns[0].end, 8400);
  EXPECT_EQ(c.slowdowns[0].speed, 30);
  ASSERT_EQ(c.signboards.size(), 1u);
  EXPECT_EQ(c.signboards[0].position, 4000);
  EXPECT_EQ(c.signboards[0].text, "(Ponte)");
  ASSERT_EQ(c.mountains.size(), 1u);  // kind 12 asks for markers on kind 2
  EXPECT_EQ(c.mountains[0].start, 3000);
  EXPECT_EQ(c.mountains[0].end, 3500);
  EXPECT_EQ(c.mountains[0].value, 2);
}

void expect_stretches(const std::vector<Stretch>& got, const std::vector<Stretch>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].start, want[i].start) << i;
    EXPECT_EQ(got[i].end, want[i].end) << i;
    EXPECT_EQ(got[i].value, want[i].value) << i;
  }
}

TEST(ReportContent, ProfilesInKilometresPerHourAndPerMille) {
  const Scenario s =
      test_support::compile(line_description(kLineRows), train_description(kTrainRows));
  const ReportContent c = read_content(s);
  // The profiles fill cells 0 to P - 3 (P = 340).
  expect_stretches(c.speed, {{0, 5000, 60}, {5000, 338 * 50, 100}});
  expect_stretches(c.gradient, {{0, 1000, 0}, {1000, 2000, 5}, {2000, 338 * 50, -3}});
}

TEST(ReportContent, AFailedCompileKeepsWhatItGotAndTheErrorPosition) {
  std::vector<std::string> rows = kLineRows;
  rows.emplace_back("cartello_indicatore,  4010,   (Doppio)");
  const Scenario s = test_support::compile(line_description(rows), train_description(kTrainRows));
  ASSERT_EQ(s.errors.error_code, 6);
  const ReportContent c = read_content(s);
  EXPECT_EQ(c.error_position, 4010);
  EXPECT_EQ(c.signboards.size(), 1u);
  EXPECT_TRUE(c.stations.empty());
  EXPECT_FALSE(read_content(test_support::compile(line_description(kLineRows),
                                                  train_description(kTrainRows)))
                   .error_position);
}

TEST(ReportContent, SignalsKeepTheValuesOfTheirRows) {
  const Scenario s =
      test_support::compile(line_description(kLineRows), train_description(kTrainRows));
  const ReportContent c = read_content(s);
  ASSERT_EQ(c.signals.size(), 3u);
  // "segnale, 2500, 1, 4, 1, 0, 0, 0, 0,0,0, 0": left kind 1 showing 4 1 0, no right side.
  const SignalMark& plain = c.signals[0];
  EXPECT_EQ(plain.left, 1);
  EXPECT_EQ(plain.left_aspects, (std::array<int, 3>{4, 1, 0}));
  EXPECT_EQ(plain.right, 0);
  EXPECT_EQ(plain.timer, 0);
  // "segnale, 9000, 2, 3, 2, 1, 0, 1, 2,1,0, 235": both sides, and the timer of a kind 2.
  const SignalMark& full = c.signals[2];
  EXPECT_EQ(full.left, 2);
  EXPECT_EQ(full.left_aspects, (std::array<int, 3>{3, 2, 1}));
  EXPECT_EQ(full.right, 1);
  EXPECT_EQ(full.right_aspects, (std::array<int, 3>{2, 1, 0}));
  EXPECT_EQ(full.ratio, 0);
  EXPECT_EQ(full.timer, 235);
}

TEST(ReportContent, CurvesAreReadBackFromTheGeometryWithClassAndSide) {
  const Scenario s = test_support::compile(
      line_description({"curvad5,  500,  300", "curvas2,  2000,  400", "curvaS6,  2400,  100"}),
      train_description({}));
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const std::vector<CurveMark> curves = read_content(s).curves;
  ASSERT_EQ(curves.size(), 3u);
  const std::vector<std::tuple<int, int, int, bool>> want = {
      {500, 800, 5, false}, {2000, 2400, 2, true}, {2400, 2500, 6, true}};
  for (std::size_t i = 0; i < want.size(); ++i) {
    const auto& [start, end, curve_class, left] = want[i];
    EXPECT_EQ(curves[i].start, start) << i;
    EXPECT_EQ(curves[i].end, end) << i;
    EXPECT_EQ(curves[i].curve_class, curve_class) << i;
    EXPECT_EQ(curves[i].left, left) << i;
  }
}

struct DipCase {
  const char* name;
  std::vector<Stretch> speed;
  std::vector<SlowdownMark> slowdowns;
  std::vector<Stretch> limit;
};

class SpeedLimitDips : public ::testing::TestWithParam<DipCase> {};

TEST_P(SpeedLimitDips, AtEachSlowdownSlowerThanTheLine) {
  expect_stretches(dip_slowdowns(GetParam().speed, GetParam().slowdowns), GetParam().limit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedLimitDips,
    ::testing::Values(
        DipCase{"WithinOneStretch",
                {{0, 1000, 100}},
                {{400, 600, 30}},
                {{0, 400, 100}, {400, 600, 30}, {600, 1000, 100}}},
        DipCase{"AcrossAChangeOfLineSpeed",
                {{0, 500, 100}, {500, 1000, 80}},
                {{400, 700, 30}},
                {{0, 400, 100}, {400, 700, 30}, {700, 1000, 80}}},
        DipCase{"NotWhereTheLineIsSlowerStill",
                {{0, 500, 100}, {500, 1000, 20}},
                {{400, 700, 30}},
                {{0, 400, 100}, {400, 500, 30}, {500, 1000, 20}}},
        DipCase{"OverOneCellWithoutAnEnd",
                {{0, 1000, 100}},
                {{300, 300, 50}},
                {{0, 300, 100}, {300, 350, 50}, {350, 1000, 100}}},
        DipCase{"TwoInOneStretch",
                {{0, 1000, 100}},
                {{100, 200, 30}, {500, 600, 60}},
                {{0, 100, 100}, {100, 200, 30}, {200, 500, 100}, {500, 600, 60}, {600, 1000, 100}}},
        DipCase{
            "AtTheVeryStart", {{0, 1000, 100}}, {{0, 200, 40}}, {{0, 200, 40}, {200, 1000, 100}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportContent, TheCompiledSpeedLimitDipsAtTheSlowdown) {
  const Scenario s =
      test_support::compile(line_description(kLineRows), train_description(kTrainRows));
  // "rallentamento, 8000, 30, 400, ...": 30 km/h from 8000 to 8400 m on a 100 km/h line.
  expect_stretches(read_content(s).limit,
                   {{0, 5000, 60}, {5000, 8000, 100}, {8000, 8400, 30}, {8400, 338 * 50, 100}});
}

struct ElevationCase {
  const char* name;
  std::vector<Stretch> gradient;
  std::vector<std::pair<std::int32_t, double>> heights;
};

class Elevations : public ::testing::TestWithParam<ElevationCase> {};

TEST_P(Elevations, AreTheGradientsSummedOverTheirLengths) {
  const std::vector<Elevation> got = integrate_gradients(GetParam().gradient);
  const auto& want = GetParam().heights;
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].position, want[i].first) << i;
    EXPECT_DOUBLE_EQ(got[i].metres, want[i].second) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Elevations,
    ::testing::Values(ElevationCase{"FlatStaysAtTheStart", {{0, 5000, 0}}, {{0, 0}, {5000, 0}}},
                      ElevationCase{"UpThenDown",
                                    {{0, 1000, 10}, {1000, 3000, -4}},
                                    {{0, 0}, {1000, 10}, {3000, 2}}},
                      ElevationCase{"BelowTheStart",
                                    {{0, 50, -30}, {50, 150, 0}, {150, 650, 12}},
                                    {{0, 0}, {50, -1.5}, {150, -1.5}, {650, 4.5}}},
                      ElevationCase{"NoGradientNoHeight", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct KilometreCase {
  const char* name;
  std::array<KilometricProgressive, 3> progressives;
  std::int64_t route_metres;
  const char* text;
};

class KilometreMarks : public ::testing::TestWithParam<KilometreCase> {};

TEST_P(KilometreMarks, ReadAsTheRailwayWritesThem) {
  const LineKilometres k(GetParam().progressives);
  EXPECT_EQ(kilometre_text(k, GetParam().route_metres), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KilometreMarks,
    ::testing::Values(
        KilometreCase{"CountingDown", {{{0, 137350, true}, {}, {}}}, 1732, "km 135+618"},
        KilometreCase{"CountingUp", {{{0, 1000, false}, {}, {}}}, 4050, "km 5+050"},
        KilometreCase{"FromASecondProgressive",
                      {{{0, 10000, false}, {5000, 200000, true}, {}}},
                      5300,
                      "km 199+700"},
        KilometreCase{"AtTheStartOfTheLine", {{{0, 137350, true}, {}, {}}}, 137350, "km 0+000"},
        KilometreCase{"NoneBeforeTheFirstProgressive", {{{1000, 5000, false}, {}, {}}}, 500, ""},
        KilometreCase{"NoneWithoutProgressives", {}, 500, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
