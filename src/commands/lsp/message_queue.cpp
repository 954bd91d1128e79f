#include "commands/lsp/message_queue.h"

#include <nlohmann/json.hpp>
#include <thread>

#include "commands/lsp/message_stream.h"

namespace tracciato::lsp {

namespace {

using nlohmann::json;

// What a message changes, read without building it: the document of a didChange, and
// whether every change in it is a whole new text.
class ChangeReading : public nlohmann::json_sax<json> {
 public:
  bool changes() const { return method_ == "textDocument/didChange" && !uri_.empty(); }
  bool whole_text() const { return changes() && texts_ > 0 && ranges_ == 0; }
  const std::string& uri() const { return uri_; }

  bool null() override { return true; }
  bool boolean(bool /*value*/) override { return true; }
  bool number_integer(number_integer_t /*value*/) override { return true; }
  bool number_unsigned(number_unsigned_t /*value*/) override { return true; }
  bool number_float(number_float_t /*value*/, const string_t& /*text*/) override { return true; }
  bool binary(binary_t& /*value*/) override { return true; }
  bool string(string_t& value) override {
    if (at({"method"})) method_ = value;
    if (at({"params", "textDocument", "uri"})) uri_ = value;
    return true;
  }
  bool key(string_t& name) override {
    path_.back() = name;
    if (at({"params", "contentChanges", "[]", "range"})) ++ranges_;
    if (at({"params", "contentChanges", "[]", "text"})) ++texts_;
    return true;
  }
  bool start_object(std::size_t /*size*/) override { return enter(""); }
  bool end_object() override { return leave(); }
  bool start_array(std::size_t /*size*/) override { return enter("[]"); }
  bool end_array() override { return leave(); }
  bool parse_error(std::size_t /*at*/, const std::string& /*token*/,
                   const nlohmann::detail::exception& /*why*/) override {
    return false;
  }

 private:
  // No message of the protocol nests deeper: a deeper one is left to the server to refuse.
  static constexpr std::size_t kDeepest = 16;
  bool at(std::initializer_list<std::string_view> keys) const {
    return std::equal(path_.begin(), path_.end(), keys.begin(), keys.end());
  }
  bool enter(const char* step) {
    path_.emplace_back(step);
    return path_.size() <= kDeepest;
  }
  bool leave() {
    path_.pop_back();
    return true;
  }

  std::vector<std::string> path_;
  std::string method_;
  std::string uri_;
  int ranges_ = 0;
  int texts_ = 0;
};

}  // namespace

MessageQueue::MessageQueue(std::istream& in) {
  std::thread([&in, state = state_] { read(in, state); }).detach();
}

void MessageQueue::read(std::istream& in, const std::shared_ptr<State>& state) {
  for (;;) {
    FramedMessage m = read_message(in);
    if (!m.body) {
      const std::lock_guard lock(state->mutex);
      state->ended = true;
      state->problem = m.problem;
      state->arrived.notify_one();
      return;
    }
    const std::lock_guard lock(state->mutex);
    add_waiting(state->bodies, std::move(*m.body));
    state->arrived.notify_one();
  }
}

void add_waiting(std::deque<WaitingMessage>& waiting, std::string body) {
  ChangeReading reading;
  json::sax_parse(body, &reading, json::input_format_t::json, false);
  if (reading.whole_text()) {
    while (!waiting.empty() && waiting.back().changed_uri == reading.uri()) waiting.pop_back();
  }
  waiting.push_back({std::move(body), reading.changes() ? reading.uri() : std::string()});
}

MessageQueue::Batch MessageQueue::take() {
  std::unique_lock lock(state_->mutex);
  state_->arrived.wait(lock, [this] { return !state_->bodies.empty() || state_->ended; });
  Batch batch{{}, state_->ended, state_->problem};
  for (WaitingMessage& p : state_->bodies) batch.bodies.push_back(std::move(p.body));
  state_->bodies.clear();
  return batch;
}

}  // namespace tracciato::lsp
