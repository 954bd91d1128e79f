#include "driver/program.h"

#include <filesystem>
#include <iostream>

#include "driver/arguments.h"
#include "driver/compile_command.h"
#include "driver/default_run.h"
#include "driver/usage.h"
#include "textio/file_error.h"

#ifndef TRACCIATO_VERSION
#define TRACCIATO_VERSION "0"
#endif

namespace tracciato {

namespace {

namespace fs = std::filesystem;

fs::path executable_dir() {
  return fs::read_symlink("/proc/self/exe").parent_path();
}

// Parses "[--out DIR]", the only words of the default run and of export.
std::optional<fs::path> out_dir(std::span<const std::string> words, const std::string& command,
                                const fs::path& fallback, int& status) {
  std::string problem;
  const auto args = parse_arguments(words, {"--out"}, {}, problem);
  if (args && !args->positionals.empty()) problem = "unexpected " + args->positionals.front();
  if (!args || !problem.empty()) {
    status = usage_error(command, problem);
    return std::nullopt;
  }
  const fs::path dir = args->value("--out").value_or(fallback.string());
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    std::cerr << "tracciato: cannot write into " << dir.string() << ": not a directory\n";
    status = 3;
    return std::nullopt;
  }
  return dir;
}

int export_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  int status = 0;
  const auto dir = out_dir(words, "export", ".", status);
  if (!dir) return status;
  try {
    write_sources(scenario, *dir);
  } catch (const FileError& error) {
    std::cerr << "tracciato: cannot write " << error.what() << '\n';
    return 3;
  }
  return 0;
}

int default_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  int status = 0;
  const auto dir = out_dir(words, "", executable_dir(), status);
  if (!dir) return status;
  ConsoleReporter reporter;
  return default_run(scenario, *dir, reporter);
}

}  // namespace

int run_program(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  const std::string command = words.empty() ? "" : words.front();
  const auto rest = words.empty() ? words : words.subspan(1);
  if (command == "--help" || command == "-h") {
    std::cout << usage_text();
    return 0;
  }
  if (command == "--version") {
    std::cout << "tracciato " << TRACCIATO_VERSION << " (scenario " << scenario.base_name
              << ", train " << scenario.train_number << ")\n";
    return 0;
  }
  if (command == "compile") return compile_command(rest);
  if (command == "export") return export_command(rest, scenario);
  if (command.empty() || command.starts_with("--")) return default_command(words, scenario);
  return usage_error(command, "unknown command");
}

}  // namespace tracciato
