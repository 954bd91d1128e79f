#include <benchmark/benchmark.h>

#include <string>

#include "compiled_scenario.h"
#include "textio/field_reader.h"

namespace tracciato::bench {
namespace {

// Every field of the maximal line description, read as text.
void BM_FieldReaderTextFields(benchmark::State& state) {
  const std::string& text = maximal_scenario().line;
  for (auto _ : state) {
    FieldReader reader(text);
    std::size_t fields = 0;
    for (; !reader.at_end(); ++fields) benchmark::DoNotOptimize(reader.read_text());
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FieldReaderTextFields);

// The maximal line's gradient rows, read as the compiler reads them: a keyword, two numbers.
std::string gradient_rows() {
  const std::string& text = maximal_scenario().line;
  std::string rows;
  for (std::size_t at = text.find("pendenza"); at != std::string::npos;
       at = text.find("pendenza", at + 1)) {
    rows += text.substr(at, text.find('\n', at) + 1 - at);
  }
  return rows;
}

void BM_FieldReaderNumericRows(benchmark::State& state) {
  const std::string rows = gradient_rows();
  for (auto _ : state) {
    FieldReader reader(rows);
    std::int64_t sum = 0;
    while (!reader.at_end()) {
      benchmark::DoNotOptimize(reader.read_text());
      sum += reader.read_number();
      sum += reader.read_number();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}
BENCHMARK(BM_FieldReaderNumericRows);

}  // namespace
}  // namespace tracciato::bench
