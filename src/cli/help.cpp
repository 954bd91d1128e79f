#include "cli/help.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include "cli/exit_status.h"
#include "cli/row_help.h"
#include "model/error_codes.h"

namespace tracciato {

namespace {

constexpr std::size_t kNameColumn = 10;

// "usage: tracciato NAME FORM" for the first line, the rest aligned beneath it.
void write_forms(std::ostream& out, const Command& command, bool first_of_all) {
  const std::string invocation =
      "tracciato" + (command.name.empty() ? "" : " " + std::string(command.name));
  const std::string lead = "usage: ";
  for (std::string_view form : command.forms) {
    // A command that takes nothing has one empty form: no blank after its name.
    out << (first_of_all ? lead : std::string(lead.size(), ' ')) << invocation
        << (form.empty() ? "" : " ");
    first_of_all = false;
    const std::string continuation(lead.size() + invocation.size() + 1, ' ');
    for (std::size_t end; (end = form.find('\n')) != std::string_view::npos;) {
      out << form.substr(0, end) << '\n' << continuation;
      form.remove_prefix(end + 1);
    }
    out << form << '\n';
  }
}

// Each line of `text` after `first`, the rest indented by `indent`.
void write_indented(std::ostream& out, std::string first, std::string_view text,
                    std::size_t indent) {
  first.resize(std::max(first.size(), indent), ' ');
  std::istringstream lines{std::string(text)};
  std::string line;
  bool first_line = true;
  while (std::getline(lines, line)) {
    out << (first_line ? first : std::string(indent, ' ')) << line << '\n';
    first_line = false;
  }
}

std::string option_label(const OptionSpec& option) {
  return std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value));
}

// `tracciato help codes`: every error code with its summary.
std::string codes_help() {
  std::ostringstream out;
  for (const ErrorCodeInfo& info : error_codes()) {
    const std::string code = std::to_string(info.code);
    out << std::string(6 - code.size(), ' ') << code << "  " << info.summary << '\n';
  }
  out << "\ntracciato explain CODE tells one of them in full\n";
  return out.str();
}

ExitStatus help_run(const Arguments& args, const CommandContext& context) {
  if (args.positionals.empty()) {
    std::cout << overview_help(context.commands);
    return ExitStatus::kOk;
  }
  if (args.positionals.front() == "codes") {
    std::cout << codes_help();
    return ExitStatus::kOk;
  }
  if (args.positionals.front() == "rows") {
    std::cout << rows_help();
    return ExitStatus::kOk;
  }
  for (const Command& command : context.commands) {
    if (!command.name.empty() && command.name == args.positionals.front()) {
      std::cout << command_help(command);
      return ExitStatus::kOk;
    }
  }
  const std::string& word = args.positionals.front();
  throw usage_failure("unknown command " + word + did_you_mean_command(context.commands, word));
}

}  // namespace

std::string overview_help(std::span<const Command> commands) {
  std::ostringstream out;
  bool first = true;
  for (const Command& command : commands) {
    write_forms(out, command, first);
    first = false;
  }
  out << "       tracciato --help | --version\n\n";
  for (const Command& command : commands) {
    const std::string name = command.name.empty() ? "(none)" : std::string(command.name);
    write_indented(out, name, command.summary, kNameColumn);
  }
  out << "\nexit status:\n";
  for (const ExitStatusMeaning& m : kExitStatusMeanings) {
    out << "  " << exit_code(m.status) << "  " << m.meaning << '\n';
  }
  out << "the description format: description-format.md, beside the README\n";
  return out.str();
}

std::string command_help(const Command& command) {
  std::ostringstream out;
  write_forms(out, command, true);
  out << '\n';
  write_indented(out, "", command.summary, 0);
  if (!command.options.empty()) {
    std::size_t width = 0;
    for (const OptionSpec& option : command.options) {
      width = std::max(width, option_label(option).size());
    }
    out << "\noptions:\n";
    for (const OptionSpec& option : command.options) {
      write_indented(out, "  " + option_label(option), option.help, width + 5);
    }
  }
  return out.str();
}

std::string did_you_mean_command(std::span<const Command> commands, std::string_view word) {
  std::vector<std::string_view> names;
  for (const Command& command : commands) {
    if (!command.name.empty()) names.push_back(command.name);
  }
  return did_you_mean(word, names);
}

ExitStatus tell_failure(std::string_view command, const Failure& failure) {
  if (failure.status() == ExitStatus::kUsage) {
    std::cerr << "usage: tracciato" << (command.empty() ? "" : " " + std::string(command)) << ": "
              << failure.what() << " (tracciato --help for more)\n";
  } else {
    std::cerr << "tracciato: " << failure.what() << '\n';
  }
  return failure.status();
}

const Command kHelpCommand{
    .name = "help",
    .forms = {"[COMMAND | codes | rows]"},
    .summary =
        "show what COMMAND does and the options it takes, or this overview;\n"
        "help codes lists the error codes, help rows every row keyword\n",
    .options = {},
    .positionals = {{"", {0, 1}, "one COMMAND"}},
    .run = help_run,
};

}  // namespace tracciato
