#include "driver/compile_command.h"

#include <filesystem>
#include <iostream>

#include "base/utf8_path.h"
#include "driver/arguments.h"
#include "driver/run_build.h"
#include "driver/scenario_names.h"
#include "driver/usage.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// The compile must never replace the author's own descriptions.
std::optional<std::string> output_collision(const fs::path& out, const ScenarioNames& n,
                                            const fs::path& line, const fs::path& train) {
  for (const std::string& name :
       {n.base_name + "_linea.dat", n.base_name + "_" + n.train_number + ".sim",
        n.base_name + "_" + n.train_number + ".dat"}) {
    const fs::path file = out / utf8_path(name);
    if (same_file(file, line) || same_file(file, train)) {
      return "the output file " + shown_path(file) + " is one of the descriptions";
    }
  }
  return std::nullopt;
}

void print_summary(const BuildResult& result, const fs::path& out) {
  for (const WrittenFile& f : result.written) {
    std::cout << shown_path(out / utf8_path(f.name)) << ": " << f.bytes << " bytes\n";
  }
}

}  // namespace

int compile_command(std::span<const std::string> words) {
  std::string problem;
  const auto args = parse_arguments(words, {"--base", "--train", "--out"},
                                    {"--no-geometry", "--verbose"}, problem);
  if (args && args->positionals.size() != 2) problem = "compile takes LINE and TRAIN";
  if (!args || !problem.empty()) return usage_error("compile", problem);
  const fs::path line = utf8_path(args->positionals[0]);
  const fs::path train = utf8_path(args->positionals[1]);
  const auto names =
      resolve_names(line, train, args->value("--base"), args->value("--train"), problem);
  if (!names) return usage_error("compile", problem);
  const fs::path out = utf8_path(args->value("--out").value_or("."));
  if (const auto collision = output_collision(out, *names, line, train)) {
    return usage_error("compile", *collision);
  }
  std::error_code ec;
  if (!fs::is_directory(out, ec)) {
    std::cerr << "tracciato: cannot write into " << shown_path(out) << ": not a directory\n";
    return exit_code(ExitStatus::kFileProblem);
  }
  FileDescription line_description(line, false);
  FileDescription train_description(train, false);
  ConsoleReporter reporter;
  const BuildRequest request{line_description, train_description, names->base_name,
                             names->train_number, args->flag("--no-geometry") ? 0 : 1};
  const BuildResult result = run_build(request, out, reporter);
  if (args->flag("--verbose")) print_summary(result, out);
  return exit_code(result.status);
}

}  // namespace tracciato
