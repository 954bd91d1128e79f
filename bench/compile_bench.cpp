#include <benchmark/benchmark.h>

#include "compiled_scenario.h"

namespace tracciato::bench {
namespace {

// The whole build of the maximal scenario in memory, without the files: both descriptions,
// the code pass and the stamp. Items are geometry points.
void BM_BuildInMemory(benchmark::State& state) {
  const GeneratedScenario& g = maximal_scenario();
  const int j = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const Scenario s = build(g, j);
    benchmark::DoNotOptimize(s.cells.cells().data());
  }
  state.SetItemsProcessed(state.iterations() * (kMaximalRoute + 7001));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(g.line.size() + g.train.size()));
}
BENCHMARK(BM_BuildInMemory)->ArgName("geometry")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracciato::bench
