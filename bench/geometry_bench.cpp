#include <benchmark/benchmark.h>

#include "model/geometry_table.h"
#include "testing/scenario_generator.h"

namespace tracciato::bench {
namespace {

constexpr std::int32_t kRouteSpan = test_support::kMaximalRoute + 7000;
// Each computed point is encoded straight into the file buffer: two tagged doubles.
constexpr std::int64_t kPointBytes = 20;

// A maximal table from its seed to its last computed point, as the line compiler fills it.
template <typename Step>
void integrate(benchmark::State& state, Step step) {
  for (auto _ : state) {
    GeometryTable table(kRouteSpan);
    table.seed();
    while (table.next_point() <= kRouteSpan - 2) step(table);
    benchmark::DoNotOptimize(table.file_parts()[1].data());
  }
  const std::int64_t points = state.iterations() * (kRouteSpan - 3);
  state.SetItemsProcessed(points);
  state.SetBytesProcessed(points * kPointBytes);
}

void BM_GeometryStraight(benchmark::State& state) {
  integrate(state, [](GeometryTable& t) { t.add_straight(); });
}
BENCHMARK(BM_GeometryStraight)->Unit(benchmark::kMillisecond);

void BM_GeometryCurve(benchmark::State& state) {
  integrate(state, [](GeometryTable& t) { t.add_curve(0.001); });
}
BENCHMARK(BM_GeometryCurve)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracciato::bench
