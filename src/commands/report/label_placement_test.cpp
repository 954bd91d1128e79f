#include "commands/report/label_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/report/report_plan.h"
#include "compile/embedded_descriptions.h"
#include "compile/pipeline.h"
#include "model/embedded_scenario.h"

namespace tracciato {
namespace {

constexpr Box kRoom{0, 0, 1000, 400};

// A label of `characters` at 7 px a character, 14 px high.
LabelRequest label(double x, double y, int characters, int rank = 0) {
  return {x, y, characters * 7.0, 14, rank};
}

struct PlacementCase {
  const char* name;
  std::vector<LabelRequest> labels;
};

class LabelPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(LabelPlacement, ShownLabelsNeverOverlapAndStayInTheRoom) {
  const std::vector<LabelRequest>& labels = GetParam().labels;
  const std::vector<LabelPlace> places = place_labels(labels, kRoom);
  ASSERT_EQ(places.size(), labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (!places[i].shown) continue;
    EXPECT_TRUE(within(box_of(labels[i], places[i]), kRoom)) << i;
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (places[j].shown) {
        EXPECT_FALSE(overlap(box_of(labels[i], places[i]), box_of(labels[j], places[j])))
            << i << " and " << j;
      }
    }
  }
  // The first-ranked label always finds a place in an open room.
  EXPECT_TRUE(places[0].shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelPlacement,
    ::testing::Values(
        // The two pairs whose names ran into each other, at their points on the embedded plan.
        PlacementCase{"OstrenzaBesideRivalchia",
                      {label(669.7, 150.2, 8, 1), label(689.9, 136.7, 9, 1)}},
        PlacementCase{"CamposernioBesideSanFolviano",
                      {label(810.3, 83.9, 11, 1), label(843.7, 62.8, 12, 1)}},
        PlacementCase{"ThreeOnOnePoint",
                      {label(500, 200, 10), label(500, 200, 10), label(500, 200, 10)}},
        PlacementCase{"AgainstTheRightEdge", {label(995, 200, 16), label(980, 205, 10, 2)}},
        PlacementCase{"ACrowdOfFifty",
                      [] {
                        std::vector<LabelRequest> crowd(50);
                        for (int i = 0; i < 50; ++i) crowd[i] = label(400 + i, 200, 9, i % 3);
                        return crowd;
                      }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelPlacement, PlacesTwoNeighboursApartRatherThanDropOne) {
  const std::vector<LabelRequest> labels = {label(669.7, 150.2, 8), label(689.9, 136.7, 9)};
  const std::vector<LabelPlace> places = place_labels(labels, kRoom);
  EXPECT_TRUE(places[0].shown);
  EXPECT_TRUE(places[1].shown);
}

TEST(LabelPlacement, TheBetterRankedLabelKeepsItsPlaceInACrowd) {
  // Given last, ranked first: it is placed first, beside its anchor.
  std::vector<LabelRequest> labels(40, label(300, 200, 12, 3));
  labels.push_back(label(300, 200, 12, 0));
  const std::vector<LabelPlace> places = place_labels(labels, kRoom);
  EXPECT_TRUE(places.back().shown);
  EXPECT_FALSE(places[20].shown);
}

TEST(LabelPlacement, TheEmbeddedPlanShowsEveryStationApart) {
  EmbeddedDescriptions d = embedded_descriptions(embedded_scenario());
  const Scenario s = memorizza_percorso({d.line, d.train, d.names, 1});
  ASSERT_FALSE(s.errors.failed());
  const ReportContent c = read_content(s);
  const std::vector<PlanLabel> labels = plan_labels(*s.geometry, c);
  std::vector<std::string> hidden;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (!labels[i].place.shown) {
      hidden.push_back(labels[i].text);
      continue;
    }
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (labels[j].place.shown) {
        EXPECT_FALSE(overlap(box_of(labels[i].request, labels[i].place),
                             box_of(labels[j].request, labels[j].place)))
            << labels[i].text << " and " << labels[j].text;
      }
    }
  }
  // The plan has room for every station's name; only kilometres may give way.
  for (const std::string& text : hidden) EXPECT_TRUE(text.ends_with(" km")) << text;
}

}  // namespace
}  // namespace tracciato
