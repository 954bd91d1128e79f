#include "driver/program.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "driver/arguments.h"
#include "driver/compile_command.h"
#include "driver/default_run.h"
#include "driver/exit_status.h"
#include "driver/usage.h"
#include "driver/version.h"
#include "platform/process.h"
#include "platform/program_start.h"
#include "tools/check/check_command.h"
#include "tools/dump/dump_command.h"
#include "tools/report/report_command.h"
#include "window/window_face.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

fs::path executable_dir() {
  return executable_path().parent_path();
}

// The words of the default run and of export: "[--out DIR]" and the given flags.
std::optional<Arguments> out_arguments(std::span<const std::string> words,
                                       const std::string& command,
                                       const std::set<std::string>& flags, int& status) {
  std::string problem;
  auto args = parse_arguments(words, {"--out"}, flags, problem);
  if (args && !args->positionals.empty()) problem = "unexpected " + args->positionals.front();
  if (!args || !problem.empty()) {
    status = usage_error(command, problem);
    return std::nullopt;
  }
  return args;
}

bool existing_directory(const fs::path& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec);
}

std::string not_a_directory(const fs::path& dir) {
  return "cannot write into " + shown_path(dir) + ": not a directory";
}

int export_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  int status = 0;
  const auto args = out_arguments(words, "export", {}, status);
  if (!args) return status;
  const fs::path dir = utf8_path(args->value("--out").value_or("."));
  if (!existing_directory(dir)) {
    std::cerr << "tracciato: " << not_a_directory(dir) << '\n';
    return exit_code(ExitStatus::kFileProblem);
  }
  try {
    write_sources(scenario, dir);
  } catch (const FileError& error) {
    std::cerr << "tracciato: cannot write " << error.what() << '\n';
    return exit_code(ExitStatus::kFileProblem);
  }
  return exit_code(ExitStatus::kOk);
}

// The window where there is a desktop, the console otherwise.
std::unique_ptr<Face> choose_face(bool headless) {
  std::unique_ptr<Face> window = headless ? nullptr : open_window_face();
  if (window) {
    hide_own_console();
    return window;
  }
  return std::make_unique<ConsoleFace>();
}

int default_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  int status = 0;
  const auto args = out_arguments(words, "", {"--headless"}, status);
  if (!args) return status;
  const std::unique_ptr<Face> face = choose_face(args->flag("--headless"));
  const auto out = args->value("--out");
  const fs::path dir = out ? utf8_path(*out) : executable_dir();
  if (!existing_directory(dir)) {
    face->failure(not_a_directory(dir));
    return exit_code(ExitStatus::kFileProblem);
  }
  return default_run(scenario, dir, *face);
}

// "tracciato 0.1.0 (commit 1a2b3c4, scenario NAME, train NUMBER)", without the commit
// when the program was not built from a git checkout.
void print_version(const EmbeddedScenario& scenario) {
  std::cout << "tracciato " << project_version() << " (";
  if (!source_commit().empty()) std::cout << "commit " << source_commit() << ", ";
  std::cout << "scenario " << scenario.base_name << ", train " << scenario.train_number << ")\n";
}

}  // namespace

int run_program(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  const std::string command = words.empty() ? "" : words.front();
  const auto rest = words.empty() ? words : words.subspan(1);
  if (command == "--help" || command == "-h") {
    std::cout << usage_text();
    return exit_code(ExitStatus::kOk);
  }
  if (command == "--version") {
    print_version(scenario);
    return exit_code(ExitStatus::kOk);
  }
  if (command == "compile") return compile_command(rest);
  if (command == "export") return export_command(rest, scenario);
  if (command == "dump") return dump_command(rest);
  if (command == "report") return report_command(rest, scenario);
  if (command == "check") return check_command(rest, scenario);
  if (command.empty() || command.starts_with("--")) return default_command(words, scenario);
  return usage_error(command, "unknown command");
}

}  // namespace tracciato
