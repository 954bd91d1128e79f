// The language server's message reader on any bytes, and the server on every message it
// reads: a malformed stream or message must get an answer, never a crash.
#include <sstream>

#include "commands/lsp/message_stream.h"
#include "commands/lsp/server.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in{std::string(tracciato::fuzz::capped(data, size))};
  tracciato::lsp::Server server([](const std::string&) {});
  for (;;) {
    const tracciato::lsp::FramedMessage m = tracciato::lsp::read_message(in);
    if (!m.body) break;
    server.handle(*m.body);
    if (server.exit_requested()) break;
  }
  server.publish_diagnostics();
  return 0;
}
