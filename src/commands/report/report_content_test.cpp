#include "commands/report/report_content.h"

#include <gtest/gtest.h>

#include "testing/descriptions.h"

namespace tracciato {
namespace {

using testing::line_description;
using testing::train_description;

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
    "rallentamento,   8000,    30,  400, 1,  0,  0"};

TEST(ReportContent, ObjectsStandWhereTheirRowsPutThem) {
  const Scenario s = testing::compile(line_description(kLineRows), train_description(kTrainRows));
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
  ASSERT_EQ(c.signals.size(), 2u);
  EXPECT_EQ(c.signals[0].position, 2500);
  EXPECT_EQ(c.signals[1].position, 7000);
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
  const Scenario s = testing::compile(line_description(kLineRows), train_description(kTrainRows));
  const ReportContent c = read_content(s);
  // The profiles fill cells 0 to P - 3 (P = 340).
  expect_stretches(c.speed, {{0, 5000, 60}, {5000, 338 * 50, 100}});
  expect_stretches(c.gradient, {{0, 1000, 0}, {1000, 2000, 5}, {2000, 338 * 50, -3}});
}

TEST(ReportContent, AFailedCompileKeepsWhatItGotAndTheErrorPosition) {
  std::vector<std::string> rows = kLineRows;
  rows.emplace_back("cartello_indicatore,  4010,   (Doppio)");
  const Scenario s = testing::compile(line_description(rows), train_description(kTrainRows));
  ASSERT_EQ(s.errors.error_code, 6);
  const ReportContent c = read_content(s);
  EXPECT_EQ(c.error_position, 4010);
  EXPECT_EQ(c.signboards.size(), 1u);
  EXPECT_TRUE(c.stations.empty());
  EXPECT_FALSE(
      read_content(testing::compile(line_description(kLineRows), train_description(kTrainRows)))
          .error_position);
}

}  // namespace
}  // namespace tracciato
