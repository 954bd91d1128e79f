#include <benchmark/benchmark.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "commands/lsp/server.h"
#include "commands/lsp/text_document.h"
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

json request(int id, const std::string& method, const std::string& uri, int line) {
  return {{"jsonrpc", "2.0"},
          {"id", id},
          {"method", method},
          {"params",
           {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", 0}}}}}};
}

// A hover on a row near the end and the outline of an open maximal line description, as `text`
// makes it; the description is checked once before timing. Items are request pairs.
void hover_and_symbols(benchmark::State& state, const std::string& text) {
  const std::string uri = "file:///scenari/" + maximal_scenario().line_file_name();
  lsp::Server server([](const std::string&) {});
  server.handle(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}}.dump());
  server.handle(did_open(uri, text).dump());
  server.publish_diagnostics();
  const int last_row = std::max(0, static_cast<int>(lsp::line_starts(text).size()) - 3);
  const std::string hover = request(2, "textDocument/hover", uri, last_row).dump();
  const std::string symbols = request(3, "textDocument/documentSymbol", uri, 0).dump();
  for (auto _ : state) {
    server.handle(hover);
    server.handle(symbols);
  }
  state.SetItemsProcessed(state.iterations());
}

// Saved with a CR alone at each line end.
void BM_LspHoverAndSymbolsLoneCarriageReturns(benchmark::State& state) {
  std::string text = maximal_scenario().line;
  std::erase(text, '\n');
  hover_and_symbols(state, text);
}
BENCHMARK(BM_LspHoverAndSymbolsLoneCarriageReturns)->Unit(benchmark::kMillisecond);

// Every row on one line of about 4 MB: one row of many fields to the editor.
void BM_LspHoverAndSymbolsOneLine(benchmark::State& state) {
  std::string text = maximal_scenario().line;
  std::erase(text, '\n');
  std::replace(text.begin(), text.end(), '\r', ',');
  while (text.size() < (4U << 20U)) text += text.substr(0, (4U << 20U) - text.size());
  hover_and_symbols(state, text);
}
BENCHMARK(BM_LspHoverAndSymbolsOneLine)->Unit(benchmark::kMillisecond);

// A line description of 240,000 rows, each a different mistyped keyword and so a finding of
// its own, open in the server with its diagnostics published: a hover near its end. Items
// are hovers.
std::string many_findings_line() {
  std::string text =
      "[generale]\r\nlunghezza percorso,    100000\r\n"
      "ripetizione segnali 4 codici,    0    ,0\r\n[curve]\r\n[pendenze]\r\n";
  for (int i = 0; i < 240000; ++i) {
    std::string word = "q";
    for (int n = i; word.size() == 1 || n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
    text += word + ",  450,  2\r\n";
  }
  return text + "[fine]\r\n";
}

void BM_LspHoverWithManyFindings(benchmark::State& state) {
  const std::string text = many_findings_line();
  const std::string folder = "file:///scenari/";
  std::size_t published = 0;
  lsp::Server server(
      [&](const std::string& body) { published = std::max(published, body.size()); });
  server.handle(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}}.dump());
  server.handle(did_open(folder + "Molti_linea.txt", text).dump());
  server.handle(did_open(folder + "Molti_1-.txt",
                         "[generale]\r\nnumero vetture,  4\r\nvelocita,  0,  30\r\n[fine]\r\n")
                    .dump());
  server.publish_diagnostics();
  const std::string hover =
      request(2, "textDocument/hover", folder + "Molti_linea.txt", 239990).dump();
  for (auto _ : state) server.handle(hover);
  state.counters["largest_message_bytes"] = static_cast<double>(published);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LspHoverWithManyFindings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracciato::bench
