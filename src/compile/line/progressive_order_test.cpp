#include "compile/line/progressive_order.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "base/unexpected_failure.h"
#include "model/header_records.h"

namespace tracciato {
namespace {

// start, kilometric value, direction flag
struct Triple {
  std::int32_t start = 0, value = 0, flag = 0;
  bool operator==(const Triple&) const = default;
};

void PrintTo(const Triple& t, std::ostream* os) {
  *os << "(" << t.start << ", " << t.value << ", " << t.flag << ")";
}

void put(HeaderRecord& r, const Triple& t) {
  const ProgressiveView p(r);
  p.start = t.start;
  p.kilometric_value = t.value;
  p.direction_flag = t.flag;
}

Triple take(const HeaderRecord& r) {
  const ProgressiveView p(r);
  return {p.start, p.kilometric_value, p.direction_flag};
}

constexpr Triple kNone{0, 0, 0};

struct OrderCase {
  const char* name;
  Triple tre, due, uno;  // rows "tre", "due", "uno": records 81, 82, 83 on entry
  Triple r81, r82, r83;  // afterwards
};

void PrintTo(const OrderCase& c, std::ostream* os) {
  *os << c.name;
}

class ProgressiveOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ProgressiveOrder, ReordersRecordsAndShiftsDecreasingValues) {
  const OrderCase& c = GetParam();
  ScenarioHeader h;
  put(h.at(header_index::kProgressiveTre), c.tre);
  put(h.at(header_index::kProgressiveDue), c.due);
  put(h.at(header_index::kProgressiveUno), c.uno);
  for (const int i : header_index::kProgressives) {
    h.at(i).record_kind = static_cast<std::uint8_t>(i);
    h.at(i).record_text = "r" + std::to_string(i);
    h.at(i).record_time = i * 1000;
  }

  progressive_ordina(h);

  EXPECT_EQ(take(h.at(header_index::kProgressiveTre)), c.r81);
  EXPECT_EQ(take(h.at(header_index::kProgressiveDue)), c.r82);
  EXPECT_EQ(take(h.at(header_index::kProgressiveUno)), c.r83);
  // Only the three triples move; the rest of each record stays where it was.
  for (const int i : header_index::kProgressives) {
    EXPECT_EQ(h.at(i).record_kind, i);
    EXPECT_EQ(h.at(i).record_text, "r" + std::to_string(i));
    EXPECT_EQ(h.at(i).record_time, i * 1000);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Progressive, ProgressiveOrder,
    ::testing::Values(
        // All starts 0: chosen by kilometric value.
        OrderCase{
            "OnlyUnoUsedAndDecreasing", kNone, kNone, {0, 137350, 1}, {0, 137450, 1}, kNone, kNone},
        OrderCase{
            "UnoValueFirst", {0, 1, 0}, {0, 2, 0}, {0, 3, 1}, {0, 103, 1}, {0, 2, 0}, {0, 1, 0}},
        OrderCase{"DueValueWhenUnoNotPositive",
                  {0, 1, 0},
                  {0, 2, 0},
                  {0, -5, 0},
                  {0, 2, 0},
                  {0, 1, 0},
                  {0, -5, 0}},
        OrderCase{"TreValueLeavesRecordsInPlace",
                  {0, 1, 1},
                  {0, -2, 0},
                  {0, 0, 1},
                  {0, 101, 1},
                  {0, -2, 0},
                  {0, 100, 1}},
        OrderCase{
            "NoPositiveValueClearsAll", {0, -1, 1}, {0, 0, 1}, {0, -7, 0}, kNone, kNone, kNone},
        OrderCase{"AllUnused", kNone, kNone, kNone, kNone, kNone, kNone},
        // Starts that cancel out count as all zero.
        OrderCase{"StartsSummingToZero",
                  {100, 1, 0},
                  {-100, 2, 0},
                  {0, 3, 0},
                  {0, 3, 0},
                  {-100, 2, 0},
                  {100, 1, 0}},
        // Ordered by start, latest first.
        OrderCase{"DueLatestTiedRest",
                  kNone,
                  {50000, 20000, 0},
                  {0, 137350, 1},
                  {50000, 20000, 0},
                  {0, 137450, 1},
                  kNone},
        OrderCase{"UnoTreDue",
                  {50000, 3, 0},
                  {0, 2, 0},
                  {80000, 1, 2},
                  {80000, 1, 2},
                  {50000, 3, 0},
                  {0, 2, 0}},
        OrderCase{"TreDueUno",
                  {9000, 1, 0},
                  {500, 2, 1},
                  {100, 3, 0},
                  {9000, 1, 0},
                  {500, 102, 1},
                  {100, 3, 0}},
        OrderCase{"DueTreUno",
                  {500, 1, 0},
                  {9000, 2, 0},
                  {100, 3, 0},
                  {9000, 2, 0},
                  {500, 1, 0},
                  {100, 3, 0}},
        OrderCase{"UnoDueTre",
                  {100, 1, 0},
                  {500, 2, 0},
                  {9000, 3, 0},
                  {9000, 3, 0},
                  {500, 2, 0},
                  {100, 1, 0}},
        // Ties between the two earlier starts.
        OrderCase{"TreLatestDueUnoTied",
                  {9000, 1, 0},
                  {100, 2, 0},
                  {100, 3, 0},
                  {9000, 1, 0},
                  {100, 3, 0},
                  {100, 2, 0}},
        OrderCase{"DueLatestTreUnoTied",
                  {100, 1, 0},
                  {9000, 2, 0},
                  {100, 3, 0},
                  {9000, 2, 0},
                  {100, 3, 0},
                  {100, 1, 0}},
        OrderCase{"UnoLatestTreDueTied",
                  {100, 1, 0},
                  {100, 2, 0},
                  {9000, 3, 0},
                  {9000, 3, 0},
                  {100, 2, 0},
                  {100, 1, 0}},
        // No strictly latest start.
        OrderCase{"TreDueTiedLatest", {1000, 1, 1}, {1000, 2, 0}, {0, 3, 1}, kNone, kNone, kNone},
        OrderCase{"AllTied", {500, 1, 0}, {500, 2, 0}, {500, 3, 0}, kNone, kNone, kNone}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

TEST(ProgressiveOrderShift, ValueOutside32BitsIsUnexpected) {
  ScenarioHeader h;
  put(h.at(header_index::kProgressiveUno), {0, 2147483600, 1});
  EXPECT_THROW(progressive_ordina(h), UnexpectedFailure);

  ScenarioHeader fits;
  put(fits.at(header_index::kProgressiveUno), {0, 2147483547, 1});
  progressive_ordina(fits);
  EXPECT_EQ(take(fits.at(header_index::kProgressiveTre)), (Triple{0, 2147483647, 1}));
}

}  // namespace
}  // namespace tracciato
