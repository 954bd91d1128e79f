#include "tools/check/check_command.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "base/utf8_path.h"
#include "driver/arguments.h"
#include "driver/build.h"
#include "driver/embedded_descriptions.h"
#include "driver/exit_status.h"
#include "driver/scenario_names.h"
#include "driver/usage.h"
#include "tools/check/findings_output.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

struct CheckInputs {
  std::unique_ptr<Description> line;
  std::unique_ptr<Description> train;
  ScenarioNames names;
};

CheckInputs embedded_inputs(const EmbeddedScenario& e) {
  EmbeddedDescriptions d = embedded_descriptions(e);
  return {std::make_unique<MemoryDescription>(std::move(d.line)),
          std::make_unique<MemoryDescription>(std::move(d.train)),
          {d.base_name, d.train_number}};
}

// A description that is there but cannot be read stops the check (status 3).
bool unreadable(Description& d) {
  if (!d.exists() || d.load()) return false;
  std::cerr << "tracciato: cannot read " << d.path() << '\n';
  return true;
}

int run_check(CheckInputs& in, int j, bool json) {
  if (unreadable(*in.line) || unreadable(*in.train)) return exit_code(ExitStatus::kFileProblem);
  const BuildRequest request{*in.line, *in.train, in.names.base_name, in.names.train_number, j};
  FindingList list;
  check_percorso(request, list);
  list.mark_reported(memorizza_percorso(request).errors);
  json ? write_findings_json(std::cout, list) : write_findings_text(std::cout, list);
  return exit_code(list.errors() > 0 ? ExitStatus::kError : ExitStatus::kOk);
}

}  // namespace

int check_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  std::string problem;
  const auto args =
      parse_arguments(words, {"--base", "--train", "--format"}, {"--no-geometry"}, problem);
  const std::size_t given = args ? args->positionals.size() : 0;
  if (args && given != 0 && given != 2) problem = "check takes LINE and TRAIN, or nothing";
  const std::string format = args ? args->value("--format").value_or("text") : "";
  if (args && format != "text" && format != "json") problem = "--format is text or json";
  if (!args || !problem.empty()) return usage_error("check", problem);
  CheckInputs inputs;
  if (given == 0) {
    inputs = embedded_inputs(scenario);
  } else {
    const auto names =
        resolve_names(utf8_path(args->positionals[0]), utf8_path(args->positionals[1]),
                      args->value("--base"), args->value("--train"), problem);
    if (!names) return usage_error("check", problem);
    inputs = {std::make_unique<FileDescription>(utf8_path(args->positionals[0]), false),
              std::make_unique<FileDescription>(utf8_path(args->positionals[1]), false), *names};
  }
  return run_check(inputs, args->flag("--no-geometry") ? 0 : 1, format == "json");
}

}  // namespace tracciato
