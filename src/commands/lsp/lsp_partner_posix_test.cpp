// A FIFO where the language server reads a description's partner from disk: the server
// must answer on, not wait for a writer that never comes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <string>

#include "base/utf8_path.h"
#include "commands/lsp/file_uri.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using nlohmann::json;

std::string frame(const json& message) {
  const std::string body = message.dump();
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(LspPartner, AFifoAtThePartnersNameIsNotWaitedOn) {
  test_support::TempDir dir;
  ASSERT_EQ(test_support::run_tracciato({"export", "--out", dir.path()}, dir.path()).status, 0);
  const auto line = dir / "BrenzanoC_OstuviaC_linea.txt";
  const auto train = dir / "BrenzanoC_OstuviaC_4417-.txt";
  std::filesystem::remove(line);
  ASSERT_EQ(::mkfifo(line.c_str(), 0600), 0);
  const std::string input =
      frame({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}}) +
      frame({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}}) +
      frame({{"jsonrpc", "2.0"},
             {"method", "textDocument/didOpen"},
             {"params",
              {{"textDocument",
                {{"uri", lsp::uri_of_path(shown_path(train))},
                 {"languageId", "tracciato"},
                 {"version", 1},
                 {"text", test_support::read_file(train)}}}}}}) +
      frame({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}, {"params", json::object()}}) +
      frame({{"jsonrpc", "2.0"}, {"method", "exit"}, {"params", json::object()}});
  const auto run = test_support::run_tracciato({"lsp"}, dir.path(), input);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("publishDiagnostics"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tracciato
