#include "commands/report/report_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tracciato {
namespace {

struct SpanCase {
  const char* name;
  std::int32_t end;
  std::vector<std::pair<std::int32_t, std::int32_t>> spans;
};

class PrintSpans : public ::testing::TestWithParam<SpanCase> {};

TEST_P(PrintSpans, CoverTheRouteFromItsStartToItsEndWithoutGaps) {
  std::vector<std::pair<std::int32_t, std::int32_t>> got;
  for (const PrintSpan& s : print_spans(GetParam().end)) got.emplace_back(s.from, s.to);
  EXPECT_EQ(got, GetParam().spans);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintSpans,
                         ::testing::Values(SpanCase{"AShortRouteOnOnePage", 4300, {{0, 4300}}},
                                           SpanCase{"ExactlyOnePage", 10000, {{0, 10000}}},
                                           SpanCase{"ThePartOfALastPage",
                                                    25300,
                                                    {{0, 10000}, {10000, 20000}, {20000, 25300}}},
                                           SpanCase{"AnEmptyRouteStillOnePage", 0, {{0, 0}}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
