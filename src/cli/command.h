#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/face.h"
#include "model/embedded_scenario.h"

namespace tracciato {

struct Command;

// What every command may use besides its own arguments.
struct CommandContext {
  const EmbeddedScenario& scenario;
  // The default run's desktop face; nullptr where there is no desktop.
  std::function<std::unique_ptr<Face>()> open_window;
  std::span<const Command> commands;
};

// One entry of the program's command table. The usage lines, `tracciato --help`,
// `tracciato help NAME`, `tracciato NAME --help` and the options the command accepts all
// come from it.
struct Command {
  std::string_view name;  // empty for the default run
  // The forms that follow "tracciato NAME" in the usage; a '\n' continues a long form on
  // the next line.
  std::vector<std::string_view> forms;
  std::string_view summary;  // lines of at most 70 characters
  std::vector<OptionSpec> options;
  // What the command takes besides options; checked before it runs. None: it checks them.
  std::vector<Positionals> positionals;
  ExitStatus (*run)(const Arguments& args, const CommandContext& context);
};

// Runs the command the words name, or the default run when they name none.
ExitStatus run_command_line(std::span<const std::string> words, const CommandContext& context);

}  // namespace tracciato
