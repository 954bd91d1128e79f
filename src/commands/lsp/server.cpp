#include "commands/lsp/server.h"

#include <map>

#include "base/cp1252.h"
#include "cli/findings.h"
#include "cli/version.h"
#include "commands/lsp/diagnostics.h"
#include "commands/lsp/features.h"
#include "commands/lsp/file_uri.h"
#include "model/header_records.h"

namespace tracciato::lsp {

namespace {

using nlohmann::json;

// JSON-RPC's error codes and the protocol's own.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

// No message of the protocol nests nearly this deep. Copying or printing a value recurses
// once per level, so a deeper message is refused before it is parsed.
constexpr int kDeepestNesting = 64;

// Whether the arrays and objects of a JSON text nest deeper than `most`; brackets
// inside strings are text.
bool nested_deeper_than(std::string_view body, int most) {
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (in_string) {
      if (c == '\\') ++i;
      if (c == '"') in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > most) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// Document changes arrive whole or as ranges; the ranges are kept and applied in order.
constexpr int kIncrementalSync = 2;

json capabilities() {
  return {{"textDocumentSync",
           {{"openClose", true}, {"change", kIncrementalSync}, {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"documentSymbolProvider", true},
          {"completionProvider", json::object()},
          {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}};
}

Position position_of(const json& p) {
  return {p.at("line").get<int>(), p.at("character").get<int>()};
}

// A path from a URI need not be UTF-8: what is not goes out replaced, never as an error.
std::string text_of(const json& message) {
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string path_of(const json& params) {
  const auto path = path_of_uri(params.at("textDocument").at("uri").get<std::string>());
  return path.value_or("");
}

// Stations fill header records 1 upward, below the first signboard text.
std::vector<StationPlatform> platforms_of(const Scenario& s) {
  std::vector<StationPlatform> platforms;
  for (int i = header_index::kFirstStation; i < s.signboard_record; ++i) {
    const StationView station(s.header.at(i));
    if (s.header.at(i) == HeaderRecord{}) continue;
    platforms.push_back({station.position, station.platform_start, station.platform_end});
  }
  return platforms;
}

// The editor's view of files, for mapping columns and naming notes' files.
class OpenFiles final : public EditorView {
 public:
  explicit OpenFiles(Workspace& w) : workspace_(w) {}
  std::string uri(const std::string& path) const override {
    const OpenDocument* d = workspace_.find(path);
    return d != nullptr ? d->uri : uri_of_path(path);
  }
  std::optional<std::string_view> line(const std::string& path, int line) const override {
    const OpenDocument* d = workspace_.find(path);
    if (d == nullptr) return std::nullopt;
    return d->text.line(line - 1);
  }

 private:
  Workspace& workspace_;
};

}  // namespace

void Server::handle(std::string_view body) {
  if (nested_deeper_than(body, kDeepestNesting)) {
    publish_diagnostics();
    fail(nullptr, kParseError,
         "the message nests deeper than " + std::to_string(kDeepestNesting) + " levels");
    return;
  }
  json message;
  try {
    message = json::parse(body);
  } catch (const json::parse_error& e) {
    publish_diagnostics();
    fail(nullptr, kParseError, std::string("the message is not JSON: ") + e.what());
    return;
  }
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    publish_diagnostics();
    fail(message.is_object() && message.contains("id") ? message["id"] : json(nullptr),
         kInvalidRequest, "a message without a method");
    return;
  }
  const std::string method = message["method"];
  const json params = message.value("params", json::object());
  // Edits wait to be checked together; anything else is answered on checked text, and
  // in the order the messages came.
  if (!method.starts_with("textDocument/did")) publish_diagnostics();
  if (message.contains("id")) {
    request(message["id"], method, params);
  } else {
    notification(method, params);
  }
}

void Server::request(const json& id, const std::string& method, const json& params) {
  if (method == "initialize") {
    initialized_ = true;
    respond(id,
            {{"capabilities", capabilities()},
             {"serverInfo", {{"name", "tracciato"}, {"version", std::string(project_version())}}}});
    return;
  }
  if (!initialized_) return fail(id, kServerNotInitialized, "initialize comes first");
  if (shut_down_) return fail(id, kInvalidRequest, "the server has been shut down");
  if (method == "shutdown") {
    shut_down_ = true;
    respond(id, nullptr);
    return;
  }
  try {
    answer(id, method, params);
  } catch (const json::exception& e) {
    fail(id, kInvalidParams, method + ": malformed parameters: " + e.what());
  }
}

void Server::answer(const json& id, const std::string& method, const json& params) {
  using Feature = json (Server::*)(const json&);
  static const std::map<std::string, Feature, std::less<>> kFeatures = {
      {"textDocument/hover", &Server::hover},
      {"textDocument/documentSymbol", &Server::symbols},
      {"textDocument/completion", &Server::complete},
      {"textDocument/codeAction", &Server::fix}};
  const auto feature = kFeatures.find(method);
  if (feature == kFeatures.end()) return fail(id, kMethodNotFound, "no method " + method);
  respond(id, (this->*feature->second)(params));
}

// The open description a request is about; nothing for a file that is not one.
const OpenDocument* Server::described(const json& params, bool& train) {
  const std::string path = path_of(params);
  const auto name = description_name(path);
  if (!name) return nullptr;
  train = name->kind == DescriptionKind::kTrain;
  return workspace_.find(path);
}

LineKilometres Server::kilometres(const std::string& path) {
  const auto pair = workspace_.pair_of(path);
  if (!pair) return LineKilometres(std::array<KilometricProgressive, 3>{});
  if (const OpenDocument* line = workspace_.find(pair->line_path))
    return kilometres_of(line->rows(false));
  auto file = workspace_.description(pair->line_path);
  const auto stored = file->exists() ? file->load() : std::nullopt;
  return kilometres_of(stored ? cp1252_to_utf8(*stored) : std::string());
}

json Server::hover(const json& params) {
  bool train = false;
  const OpenDocument* d = described(params, train);
  if (d == nullptr) return nullptr;
  const auto platforms = platforms_.find(path_of(params));
  return lsp::hover(
      d->rows(train), position_of(params.at("position")), kilometres(path_of(params)),
      platforms == platforms_.end() ? std::span<const StationPlatform>() : platforms->second);
}

json Server::symbols(const json& params) {
  bool train = false;
  const OpenDocument* d = described(params, train);
  if (d == nullptr) return json::array();
  return document_symbols(d->rows(train), kilometres(path_of(params)));
}

json Server::complete(const json& params) {
  bool train = false;
  const OpenDocument* d = described(params, train);
  if (d == nullptr) return json::array();
  return completion(d->text.text(), train, position_of(params.at("position")));
}

json Server::fix(const json& params) {
  bool train = false;
  const OpenDocument* d = described(params, train);
  if (d == nullptr) return json::array();
  return code_actions(d->text.text(), d->uri,
                      params.at("context").value("diagnostics", json::array()));
}

void Server::notification(const std::string& method, const json& params) {
  if (method == "exit") {
    exit_requested_ = true;
    return;
  }
  if (!initialized_ || shut_down_) return;
  try {
    if (method == "textDocument/didOpen") open(params);
    if (method == "textDocument/didChange") change(params);
    if (method == "textDocument/didClose") close(params);
    if (method == "textDocument/didSave") changed_.insert(path_of(params));
  } catch (const json::exception& e) {
    notify("window/logMessage",
           {{"type", 1}, {"message", method + ": malformed parameters: " + e.what()}});
  }
}

void Server::open(const json& params) {
  const json& doc = params.at("textDocument");
  const std::string path = path_of(params);
  if (path.empty()) return;
  workspace_.open(path, doc.at("uri").get<std::string>(), doc.at("text").get<std::string>());
  changed_.insert(path);
}

void Server::change(const json& params) {
  OpenDocument* d = workspace_.find(path_of(params));
  if (d == nullptr) return;
  for (const json& c : params.at("contentChanges")) {
    if (c.contains("range")) {
      const json& r = c.at("range");
      d->text.replace({position_of(r.at("start")), position_of(r.at("end"))},
                      c.at("text").get<std::string>());
    } else {
      d->text.replace_all(c.at("text").get<std::string>());
    }
  }
  workspace_.touch(*d);
  changed_.insert(path_of(params));
}

void Server::close(const json& params) {
  const std::string path = path_of(params);
  const OpenDocument* d = workspace_.find(path);
  if (d == nullptr) return;
  const std::string uri = d->uri;
  workspace_.close(path);
  changed_.erase(path);
  published_.erase(uri);
  notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}});
}

void Server::publish_diagnostics() {
  const std::set<std::string> paths = std::move(changed_);
  changed_.clear();
  // A line and its train edited together are one pair, checked once.
  std::set<std::pair<std::string, std::string>> checked;
  for (const std::string& path : paths) {
    const auto pair = workspace_.pair_of(path);
    if (pair && checked.insert({pair->line_path, pair->train_path}).second) check(path, *pair);
  }
}

void Server::check(const std::string& path, const DescriptionPair& pair) {
  const std::string no_train = "(no train description)";
  auto line = workspace_.description(pair.line_path);
  auto train = pair.train_path.empty() ? std::make_unique<MemoryDescription>(no_train, "")
                                       : workspace_.description(pair.train_path);
  const BuildRequest request{*line, *train, pair.names, 1};
  Scenario checked;
  const FindingList findings = check_descriptions(request, &checked);
  if (!pair.train_path.empty()) platforms_[pair.train_path] = platforms_of(checked);
  const OpenFiles files(workspace_);
  auto by_path = diagnostics_by_path(findings, files);
  // What the compiler itself says, and a missing line description, show on the edited file.
  const auto show_on_edited = [&](const std::string& from) {
    auto moved = by_path.extract(from);
    if (moved.empty() || from == path) return;
    json& list = by_path[path];
    if (list.is_null()) list = json::array();
    for (json& d : moved.mapped()) list.push_back(std::move(d));
  };
  show_on_edited("");
  if (!line->exists()) show_on_edited(pair.line_path);
  by_path.erase(no_train);
  for (const std::string& p : {pair.line_path, pair.train_path}) {
    if (p.empty()) continue;
    const std::string uri = files.uri(p);
    json diagnostics = by_path.contains(p) ? by_path[p] : json::array();
    if (diagnostics.empty() && !published_.contains(uri) && workspace_.find(p) == nullptr) continue;
    if (diagnostics.empty()) {
      published_.erase(uri);
    } else {
      published_.insert(uri);
    }
    notify("textDocument/publishDiagnostics",
           {{"uri", uri}, {"diagnostics", std::move(diagnostics)}});
  }
}

void Server::stream_broken(const std::string& problem) {
  fail(nullptr, kParseError, "the message stream cannot be read: " + problem);
  exit_requested_ = true;
}

void Server::respond(const json& id, json result) {
  send_(text_of({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void Server::fail(const json& id, int code, const std::string& message) {
  send_(
      text_of({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void Server::notify(const std::string& method, json params) {
  send_(text_of({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

}  // namespace tracciato::lsp
