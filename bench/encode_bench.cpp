#include <benchmark/benchmark.h>

#include "compiled_scenario.h"
#include "format/compiled_files.h"

namespace tracciato::bench {
namespace {

// The geometry file needs no pass of its own: its points are encoded as they are computed,
// and the geometry benchmarks count those bytes.

void BM_EncodeHeaderFile(benchmark::State& state) {
  const Scenario s = build(maximal_scenario(), 0);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> header = encode_header(s.header);
    bytes = header.size();
    benchmark::DoNotOptimize(header.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeHeaderFile)->Unit(benchmark::kMicrosecond);

void BM_EncodeCellFile(benchmark::State& state) {
  const Scenario s = build(maximal_scenario(), 0);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> cells = encode_cells(s.cells);
    bytes = cells.size();
    benchmark::DoNotOptimize(cells.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeCellFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tracciato::bench
