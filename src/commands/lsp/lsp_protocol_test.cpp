#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/utf8_path.h"
#include "commands/lsp/file_uri.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

std::string frame(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string request(int id, const std::string& method, json params = json::object()) {
  return frame(json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
}

std::string notification(const std::string& method, json params = json::object()) {
  return frame(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

std::vector<json> messages_in(std::string out) {
  std::vector<json> messages;
  while (!out.empty()) {
    const std::size_t end = out.find("\r\n\r\n");
    if (end == std::string::npos) break;
    const std::size_t length = std::stoul(out.substr(out.find(':') + 1, end));
    messages.push_back(json::parse(out.substr(end + 4, length)));
    out.erase(0, end + 4 + length);
  }
  return messages;
}

// The embedded scenario's descriptions, exported, then edited: a mistyped keyword in the
// line and a station that names no kind in the train.
class Protocol : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test_support::run_tracciato({"export", "--out", dir.path()}, dir.path()).status, 0);
    for (const auto& f : fs::directory_iterator(dir.path())) {
      const std::string name = shown_path(f.path().filename());
      if (name.ends_with("_linea.txt")) line = f.path();
      if (name.ends_with("-.txt")) train = f.path();
    }
    line_text = cp1252_to_utf8(test_support::read_file(line));
    mistyped_line = line_number_of(line_text, "pendenza");
    line_text.replace(line_text.find("pendenza"), 8, "pendnza");
  }

  static int line_number_of(const std::string& text, const std::string& what) {
    const std::size_t at = text.find(what);
    return static_cast<int>(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n'));
  }

  static std::string open(const fs::path& file, const std::string& text) {
    return notification("textDocument/didOpen", {{"textDocument",
                                                  {{"uri", lsp::uri_of_path(shown_path(file))},
                                                   {"languageId", "tracciato"},
                                                   {"version", 1},
                                                   {"text", text}}}});
  }

  static std::string start() { return request(1, "initialize") + notification("initialized"); }
  static std::string finish() { return request(99, "shutdown") + notification("exit"); }

  struct Served {
    int status;
    std::vector<json> messages;
  };
  Served serve(const std::string& input) const {
    const auto run = test_support::run_tracciato({"lsp"}, dir.path(), input);
    return {run.status, messages_in(run.out)};
  }

  // The diagnostics published last for a file.
  static json published(const std::vector<json>& messages, const fs::path& file) {
    json last;
    for (const json& m : messages) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" &&
          m["params"]["uri"] == lsp::uri_of_path(shown_path(file))) {
        last = m["params"]["diagnostics"];
      }
    }
    return last;
  }

  static json answer(const std::vector<json>& messages, int id) {
    for (const json& m : messages)
      if (m.contains("id") && m["id"] == id) return m;
    return nullptr;
  }

  test_support::TempDir dir;
  fs::path line;
  fs::path train;
  std::string line_text;
  int mistyped_line = 0;
};

TEST_F(Protocol, InitializeOffersIncrementalSyncAndShutdownThenExitEndsWithStatusZero) {
  const Served s = serve(start() + finish());
  EXPECT_EQ(s.status, 0);
  EXPECT_EQ(answer(s.messages, 1)["result"]["capabilities"]["textDocumentSync"]["change"], 2);
  EXPECT_TRUE(answer(s.messages, 99)["result"].is_null());
}

TEST_F(Protocol, OpeningADescriptionPublishesItsFindingsAtTheFieldWithHintAndCode) {
  const Served s = serve(start() + open(line, line_text) + finish());
  const json d = published(s.messages, line);
  ASSERT_EQ(d.size(), 1U) << d;
  EXPECT_EQ(d[0]["range"]["start"], (json{{"line", mistyped_line}, {"character", 0}}));
  EXPECT_EQ(d[0]["range"]["end"]["character"], 7);
  EXPECT_EQ(d[0]["severity"], 2);
  EXPECT_EQ(d[0]["data"]["hint"], "did you mean \"pendenza\"?");
}

TEST_F(Protocol, AnErrorCarriesItsCodeAndWhereToReadAboutIt) {
  std::string text = line_text;
  const std::size_t route = text.find("lunghezza");
  text.replace(text.find(',', route) + 1, 0, "x");
  const Served s = serve(start() + open(line, text) + finish());
  const json d = published(s.messages, line);
  const auto error =
      std::find_if(d.begin(), d.end(), [](const json& x) { return x["severity"] == 1; });
  ASSERT_NE(error, d.end()) << d;
  ASSERT_TRUE(error->contains("code")) << *error;
  const int code = (*error)["code"];
  EXPECT_NE((*error)["message"].get<std::string>().find("see `tracciato explain " +
                                                        std::to_string(code) + "`"),
            std::string::npos);
}

// The compile refuses it only as it writes the header; the editor shows it at the name.
TEST_F(Protocol, AStationNameTheHeaderCannotHoldIsAnErrorAtTheName) {
  std::string text = cp1252_to_utf8(test_support::read_file(train));
  const std::size_t name = text.find("BRENZANO C.le");
  text.insert(name, std::string(70000, 'A'));
  const Served s = serve(start() + open(train, text) + finish());
  const json d = published(s.messages, train);
  ASSERT_EQ(d.size(), 1U) << d.dump().substr(0, 300);
  EXPECT_EQ(d[0]["severity"], 1);
  EXPECT_EQ(d[0]["code"], 25);
  EXPECT_EQ(d[0]["range"]["start"], (json{{"line", line_number_of(text, "BRENZANO")},
                                          {"character", name - text.rfind('\n', name) - 1}}));
}

TEST_F(Protocol, AClashRelatesTheRowAlreadyInTheCellAtItsPlaceInThePartner) {
  // A signal on the cell of the line's first speed board.
  const std::size_t board = line_text.find("indicatori_vmax,");
  const std::size_t at = line_text.find_first_not_of(' ', line_text.find(',', board) + 1);
  const std::string position = line_text.substr(at, line_text.find_first_of(", ", at) - at);
  std::string train_text = cp1252_to_utf8(test_support::read_file(train));
  train_text.insert(train_text.find("[fine]"),
                    "segnale, " + position + ", 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n");
  const Served s = serve(start() + open(train, train_text) + finish());
  const json d = published(s.messages, train);
  const auto clash =
      std::find_if(d.begin(), d.end(), [](const json& x) { return x.value("code", 0) == 16; });
  ASSERT_NE(clash, d.end()) << d;
  const json related = clash->value("relatedInformation", json::array());
  const auto first = std::find_if(related.begin(), related.end(), [&](const json& r) {
    return r["location"]["uri"] == lsp::uri_of_path(shown_path(line));
  });
  ASSERT_NE(first, related.end()) << *clash;
  const int column = static_cast<int>(at - line_text.rfind('\n', board) - 1);
  EXPECT_EQ((*first)["location"]["range"]["start"],
            (json{{"line", line_number_of(line_text, "indicatori_vmax,")}, {"character", column}}));
  EXPECT_NE((*first)["message"].get<std::string>().find("already in this cell was written here"),
            std::string::npos);
}

TEST_F(Protocol, AnIncrementalChangeThatFixesTheMistakeClearsItsDiagnostic) {
  const json change = {
      {"textDocument", {{"uri", lsp::uri_of_path(shown_path(line))}, {"version", 2}}},
      {"contentChanges",
       {{{"range",
          {{"start", {{"line", mistyped_line}, {"character", 4}}},
           {"end", {{"line", mistyped_line}, {"character", 4}}}}},
         {"text", "e"}}}}};
  // A request has the edits before it checked first: the mistake is published, then
  // cleared once the change is checked.
  const Served s = serve(start() + open(line, line_text) + request(2, "workspace/symbol") +
                         notification("textDocument/didChange", change) + finish());
  int shown = 0;
  for (const json& m : s.messages)
    if (m.value("method", "") == "textDocument/publishDiagnostics") shown += 1;
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(published(s.messages, line), json::array());
}

TEST_F(Protocol, HoverSymbolsCompletionAndQuickFixAnswerOnTheOpenDescriptions) {
  const std::string train_text = cp1252_to_utf8(test_support::read_file(train));
  const int station = line_number_of(train_text, "stazione");
  const json train_doc = {{"uri", lsp::uri_of_path(shown_path(train))}};
  const json line_doc = {{"uri", lsp::uri_of_path(shown_path(line))}};
  const json mistyped = {{"start", {{"line", mistyped_line}, {"character", 0}}},
                         {"end", {{"line", mistyped_line}, {"character", 7}}}};
  const Served s = serve(
      start() + open(line, line_text) + open(train, train_text) +
      request(2, "textDocument/hover",
              {{"textDocument", train_doc}, {"position", {{"line", station}, {"character", 1}}}}) +
      request(3, "textDocument/documentSymbol", {{"textDocument", train_doc}}) +
      request(
          4, "textDocument/completion",
          {{"textDocument", line_doc}, {"position", {{"line", mistyped_line}, {"character", 0}}}}) +
      request(5, "textDocument/codeAction",
              {{"textDocument", line_doc},
               {"range", mistyped},
               {"context",
                {{"diagnostics",
                  published(serve(start() + open(line, line_text) + finish()).messages, line)}}}}) +
      finish());
  const std::string shown = answer(s.messages, 2)["result"]["contents"]["value"];
  EXPECT_NE(shown.find("**station row** at 0 m · km "), std::string::npos) << shown;
  const json symbols = answer(s.messages, 3)["result"];
  ASSERT_FALSE(symbols.empty());
  EXPECT_EQ(symbols[0]["range"]["start"]["line"], station);
  const json keywords = answer(s.messages, 4)["result"];
  EXPECT_EQ(keywords[0]["label"], "pendenza");
  const json fix = answer(s.messages, 5)["result"];
  ASSERT_EQ(fix.size(), 1U) << fix;
  EXPECT_EQ(fix[0]["edit"]["changes"][lsp::uri_of_path(shown_path(line))][0]["newText"],
            "pendenza");
}

TEST_F(Protocol, MalformedJsonGetsAParseErrorAndTheServerGoesOn) {
  const Served s =
      serve(start() + frame("{\"id\": 2, ") + request(3, "shutdown") + notification("exit"));
  ASSERT_FALSE(s.messages.empty());
  const auto error = std::find_if(s.messages.begin(), s.messages.end(),
                                  [](const json& m) { return m.contains("error"); });
  ASSERT_NE(error, s.messages.end());
  EXPECT_EQ((*error)["error"]["code"], -32700);
  EXPECT_TRUE((*error)["id"].is_null());
  EXPECT_TRUE(answer(s.messages, 3)["result"].is_null());
  EXPECT_EQ(s.status, 0);
}

// A message whose params nest `depth` arrays deep (140 KB at 70,000).
std::string nested(int depth) {
  return frame(R"({"jsonrpc":"2.0","id":6,"method":"tracciato/none","params":)" +
               std::string(std::size_t(depth), '[') + std::string(std::size_t(depth), ']') + "}");
}

struct RefusalCase {
  const char* name;
  std::string input;
  json id;  // null where the message had none
  int code;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, AnswerWithTheProtocolsErrorCode) {
  const test_support::TempDir dir;
  const auto run = test_support::run_tracciato({"lsp"}, dir.path(), GetParam().input);
  json error;
  for (const json& m : messages_in(run.out))
    if (m.contains("error") && m["id"] == GetParam().id) error = m["error"];
  ASSERT_TRUE(error.is_object()) << run.out;
  EXPECT_EQ(error["code"], GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Refusals,
    ::testing::Values(
        RefusalCase{"UnknownMethod", request(1, "initialize") + request(2, "tracciato/none"), 2,
                    -32601},
        RefusalCase{"BeforeInitialize", request(5, "textDocument/hover"), 5, -32002},
        RefusalCase{
            "AfterShutdown",
            request(1, "initialize") + request(2, "shutdown") + request(3, "textDocument/hover"), 3,
            -32600},
        RefusalCase{"NotAnObject", request(1, "initialize") + frame("[1, 2]"), nullptr, -32600},
        RefusalCase{"WithoutAMethod",
                    request(1, "initialize") + frame(R"({"jsonrpc":"2.0","id":4})"), 4, -32600},
        RefusalCase{"NestedTooDeepBeforeItIsParsed", request(1, "initialize") + nested(70000),
                    nullptr, -32700},
        RefusalCase{"NestedAsDeepAsAMessageMay", request(1, "initialize") + nested(60), 6, -32601},
        RefusalCase{"BracketsInsideAStringAreText",
                    request(1, "initialize") +
                        request(7, "tracciato/none", {{"name", std::string(70000, '[')}}),
                    7, -32601}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProtocolEnd, ExitWithoutShutdownOrABrokenStreamEndsWithStatusOne) {
  const test_support::TempDir dir;
  EXPECT_EQ(test_support::run_tracciato({"lsp"}, dir.path(),
                                        request(1, "initialize") + notification("exit"))
                .status,
            1);
  const auto broken = test_support::run_tracciato({"lsp"}, dir.path(), "Content-Length: x\r\n\r\n");
  EXPECT_EQ(broken.status, 1);
  const auto messages = messages_in(broken.out);
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0]["error"]["code"], -32700);
}

TEST_F(Protocol, NothingIsPublishedForAFileThatIsNoDescription) {
  const Served s = serve(start() + open(dir / "appunti.txt", "pendnza") + finish());
  for (const json& m : s.messages)
    EXPECT_NE(m.value("method", ""), "textDocument/publishDiagnostics") << m;
}

}  // namespace
}  // namespace tracciato
