#include <algorithm>
#include <iostream>

#include "cli/command.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/version.h"
#include "platform/standard_output.h"

namespace tracciato {

namespace {

// "tracciato 0.1.0 (commit 1a2b3c4, scenario NAME, train NUMBER)", without the commit
// when the program was not built from a git checkout.
void print_version(const EmbeddedScenario& scenario) {
  std::cout << "tracciato " << project_version() << " (";
  if (!source_commit().empty()) std::cout << "commit " << source_commit() << ", ";
  std::cout << "scenario " << scenario.base_name << ", train " << scenario.train_number << ")\n";
}

const Command* find_command(std::span<const Command> commands, std::string_view name) {
  const auto found = std::ranges::find(commands, name, &Command::name);
  return found == commands.end() ? nullptr : &*found;
}

ExitStatus run_command(const Command& command, std::span<const std::string> words,
                       const CommandContext& context) {
  if (std::ranges::find(words, "--help") != words.end()) {
    std::cout << command_help(command);
    return ExitStatus::kOk;
  }
  try {
    const Arguments args = parse_arguments(words, command.options).value();
    if (const auto problem = positionals_problem(command.name, command.positionals, args)) {
      throw *problem;
    }
    return command.run(args, context);
  } catch (const Failure& failure) {
    return tell_failure(command.name, failure);
  }
}

ExitStatus dispatch(std::span<const std::string> words, const CommandContext& context) {
  const std::string first = words.empty() ? "" : words.front();
  if (first == "--help" || first == "-h") {
    std::cout << overview_help(context.commands);
    return ExitStatus::kOk;
  }
  if (first == "--version") {
    print_version(context.scenario);
    return ExitStatus::kOk;
  }
  // Words that begin with an option, or none, are the default run's.
  const bool named = !first.empty() && !first.starts_with("-");
  const Command* command = find_command(context.commands, named ? first : "");
  if (!command) {
    return tell_failure(
        first, usage_failure("unknown command" + did_you_mean_command(context.commands, first)));
  }
  return run_command(*command, named ? words.subspan(1) : words, context);
}

}  // namespace

ExitStatus run_command_line(std::span<const std::string> words, const CommandContext& context) {
  const ExitStatus status = dispatch(words, context);
  if (const auto why = finish_standard_output()) {
    std::cerr << "tracciato: cannot write standard output: " << *why << '\n';
    return ExitStatus::kFileProblem;
  }
  return status;
}

}  // namespace tracciato
