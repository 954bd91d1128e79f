#include "commands/lsp/lsp_command.h"

#include <iostream>

#include "cli/exit_status.h"
#include "commands/lsp/message_queue.h"
#include "commands/lsp/message_stream.h"
#include "commands/lsp/server.h"
#include "platform/standard_input.h"

namespace tracciato {

namespace {

ExitStatus run(const Arguments& /*args*/, const CommandContext& /*context*/) {
  use_binary_standard_streams();
  lsp::Server server([](const std::string& body) { lsp::write_message(std::cout, body); });
  lsp::MessageQueue queue(std::cin);
  while (!server.exit_requested()) {
    const lsp::MessageQueue::Batch batch = queue.take();
    for (const std::string& body : batch.bodies) {
      server.handle(body);
      if (server.exit_requested()) break;
    }
    if (server.exit_requested()) break;
    server.publish_diagnostics();
    if (batch.ended) {
      if (!batch.problem.empty()) server.stream_broken(batch.problem);
      break;
    }
  }
  return server.exit_status();
}

}  // namespace

const Command kLspCommand{
    .name = "lsp",
    .forms = {""},
    .summary =
        "serve the Language Server Protocol on standard input and output, so\n"
        "that an editor shows check's findings in line and train descriptions\n"
        "as they are typed (editors/ holds the set-ups)\n",
    .options = {},
    .positionals = {{"", {0}, "no file: the editor sends them"}},
    .run = run,
};

}  // namespace tracciato
