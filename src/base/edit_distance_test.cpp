#include "base/edit_distance.h"

#include <gtest/gtest.h>

#include <array>

namespace tracciato {
namespace {

struct DistanceCase {
  const char* name;
  std::string_view a, b;
  std::size_t distance;
};

class EditDistance : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(EditDistance, CountsTheFewestEdits) {
  const DistanceCase& c = GetParam();
  EXPECT_EQ(edit_distance(c.a, c.b), c.distance);
  EXPECT_EQ(edit_distance(c.b, c.a), c.distance);
}

INSTANTIATE_TEST_SUITE_P(Words, EditDistance,
                         ::testing::Values(DistanceCase{"Same", "pendenza", "pendenza", 0},
                                           DistanceCase{"CaseIsIgnored", "PENDENZA", "pendenza", 0},
                                           DistanceCase{"SwappedNeighbours", "pendnza", "pendenza",
                                                        1},
                                           DistanceCase{"SwapCountsOnce", "compiel", "compile", 1},
                                           DistanceCase{"OneLetterOut", "segnal", "segnale", 1},
                                           DistanceCase{"Substitution", "dunp", "dump", 1},
                                           DistanceCase{"FromNothing", "", "check", 5},
                                           DistanceCase{"Unrelated", "report", "export", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Nearest, OffersOnlyWhatIsNearEnough) {
  const std::array<std::string_view, 4> commands{"compile", "check", "dump", "report"};
  EXPECT_EQ(nearest("compiel", commands), "compile");
  EXPECT_EQ(nearest("chekc", commands), "check");
  EXPECT_EQ(nearest("xyz", commands), std::nullopt);
  EXPECT_EQ(nearest("compile", commands), "compile");
  EXPECT_EQ(nearest("", commands), std::nullopt);
}

}  // namespace
}  // namespace tracciato
