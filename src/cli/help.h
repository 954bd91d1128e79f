#pragma once

#include <span>
#include <string>

#include "cli/command.h"
#include "cli/failure.h"

namespace tracciato {

// `tracciato --help`: every command's usage, then what each does.
std::string overview_help(std::span<const Command> commands);
// `tracciato help NAME` and `tracciato NAME --help`: the usage, what it does, its options.
std::string command_help(const Command& command);
// "; did you mean compile?" for a word one slip away from a command of the table.
std::string did_you_mean_command(std::span<const Command> commands, std::string_view word);
// Tells a failure of `command` on standard error, a usage failure with its usage; returns
// its exit status.
ExitStatus tell_failure(std::string_view command, const Failure& failure);

// The `help [COMMAND]` entry of the table.
extern const Command kHelpCommand;

}  // namespace tracciato
