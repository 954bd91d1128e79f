#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "commands/lsp/server.h"
#include "compiled_scenario.h"

namespace tracciato::bench {
namespace {

using nlohmann::json;

json did_open(const std::string& uri, const std::string& text) {
  return {{"jsonrpc", "2.0"},
          {"method", "textDocument/didOpen"},
          {"params",
           {{"textDocument",
             {{"uri", uri}, {"languageId", "tracciato"}, {"version", 1}, {"text", text}}}}}};
}

// One keystroke in the maximal line description, with both maximal descriptions open,
// until the diagnostics of the pair are published. Items are edits.
void BM_LspEditToDiagnostics(benchmark::State& state) {
  const GeneratedScenario& g = maximal_scenario();
  const std::string folder = "file:///scenari/";
  const std::string line_uri = folder + g.line_file_name();
  std::size_t published = 0;
  lsp::Server server([&](const std::string& body) { published += body.size(); });
  server.handle(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}}.dump());
  server.handle(did_open(line_uri, g.line).dump());
  server.handle(did_open(folder + g.train_file_name(), g.train).dump());
  server.publish_diagnostics();
  int version = 1;
  for (auto _ : state) {
    const bool insert = version % 2 == 1;
    const json range = {{"start", {{"line", 3}, {"character", 0}}},
                        {"end", {{"line", 3}, {"character", insert ? 0 : 1}}}};
    server.handle(json{{"jsonrpc", "2.0"},
                       {"method", "textDocument/didChange"},
                       {"params",
                        {{"textDocument", {{"uri", line_uri}, {"version", ++version}}},
                         {"contentChanges", {{{"range", range}, {"text", insert ? " " : ""}}}}}}}
                      .dump());
    server.publish_diagnostics();
  }
  benchmark::DoNotOptimize(published);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LspEditToDiagnostics)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracciato::bench
