#pragma once

#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tracciato::lsp {

// A message waiting for the server, and the document it changes when it is a change.
struct WaitingMessage {
  std::string body;
  std::string changed_uri;
};
// Adds a message to those waiting. A whole new text of a document makes the changes to it
// just before unneeded: a burst of them keeps only the latest text.
void add_waiting(std::deque<WaitingMessage>& waiting, std::string body);

// Reads framed messages on a thread of its own, so that the server can take everything
// that has arrived while it was checking and act on the latest text only.
class MessageQueue {
 public:
  explicit MessageQueue(std::istream& in);

  struct Batch {
    std::vector<std::string> bodies;
    bool ended = false;   // the stream has ended: nothing follows these
    std::string problem;  // why it ended, when it did not end cleanly
  };
  // Waits for at least one message or the end, then takes all that have arrived.
  Batch take();

 private:
  // Shared with the reader, which may outlive the queue blocked on input nobody sends.
  struct State {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<WaitingMessage> bodies;
    bool ended = false;
    std::string problem;
  };
  static void read(std::istream& in, const std::shared_ptr<State>& state);

  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace tracciato::lsp
