#pragma once

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/exit_status.h"
#include "commands/lsp/features.h"
#include "commands/lsp/workspace.h"
#include "model/positions.h"

namespace tracciato::lsp {

// The language server's state and its answers. Messages come in batches: the edits of a
// batch are applied, and the descriptions they change are checked once, on their latest
// text, when the batch ends or another kind of message comes; a burst of edits costs one
// check.
class Server {
 public:
  using Send = std::function<void(const std::string& body)>;
  explicit Server(Send send) : send_(std::move(send)) {}

  void handle(std::string_view body);
  // Checks what the messages handled since the last call changed, and publishes.
  void publish_diagnostics();
  // A message stream that cannot be read any further.
  void stream_broken(const std::string& problem);

  bool exit_requested() const { return exit_requested_; }
  // As the protocol asks: 0 after a shutdown request, 1 otherwise.
  ExitStatus exit_status() const { return shut_down_ ? ExitStatus::kOk : ExitStatus::kError; }

 private:
  using json = nlohmann::json;
  void request(const json& id, const std::string& method, const json& params);
  void notification(const std::string& method, const json& params);
  void answer(const json& id, const std::string& method, const json& params);
  json hover(const json& params);
  json symbols(const json& params);
  json complete(const json& params);
  json fix(const json& params);
  const OpenDocument* described(const json& params, bool& train);
  LineKilometres kilometres(const std::string& path);
  void respond(const json& id, json result);
  void fail(const json& id, int code, const std::string& message);
  void notify(const std::string& method, json params);
  void open(const json& params);
  void change(const json& params);
  void close(const json& params);
  void check(const std::string& path, const DescriptionPair& pair);

  Send send_;
  Workspace workspace_;
  std::set<std::string> changed_;    // paths of descriptions to check again
  std::set<std::string> published_;  // URIs whose last published diagnostics are not empty
  // The stations' platforms as the last check of each train placed them, by path.
  std::map<std::string, std::vector<StationPlatform>> platforms_;
  bool initialized_ = false;
  bool shut_down_ = false;
  bool exit_requested_ = false;
};

}  // namespace tracciato::lsp
