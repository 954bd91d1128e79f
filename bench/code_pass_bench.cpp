#include <benchmark/benchmark.h>

#include "compile/signals/code_pass.h"
#include "compiled_scenario.h"

namespace tracciato::bench {
namespace {

// The pass over the maximal track; each run starts from a fresh copy of the compiled cells.
void BM_SignalCodePass(benchmark::State& state) {
  const Scenario compiled = compile_descriptions(maximal_scenario(), 0);
  for (auto _ : state) {
    state.PauseTiming();
    Scenario s = compiled;
    state.ResumeTiming();
    signal_code_pass(s);
    benchmark::DoNotOptimize(s.cells.cells().data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(compiled.cells.size()));
}
BENCHMARK(BM_SignalCodePass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tracciato::bench
