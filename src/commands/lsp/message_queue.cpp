#include "commands/lsp/message_queue.h"

#include <thread>

#include "commands/lsp/message_stream.h"

namespace tracciato::lsp {

MessageQueue::MessageQueue(std::istream& in) {
  std::thread([&in, state = state_] { read(in, state); }).detach();
}

void MessageQueue::read(std::istream& in, const std::shared_ptr<State>& state) {
  for (;;) {
    FramedMessage m = read_message(in);
    const std::lock_guard lock(state->mutex);
    if (!m.body) {
      state->ended = true;
      state->problem = m.problem;
      state->arrived.notify_one();
      return;
    }
    state->bodies.push_back(std::move(*m.body));
    state->arrived.notify_one();
  }
}

MessageQueue::Batch MessageQueue::take() {
  std::unique_lock lock(state_->mutex);
  state_->arrived.wait(lock, [this] { return !state_->bodies.empty() || state_->ended; });
  Batch batch{{state_->bodies.begin(), state_->bodies.end()}, state_->ended, state_->problem};
  state_->bodies.clear();
  return batch;
}

}  // namespace tracciato::lsp
