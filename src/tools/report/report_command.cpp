#include "tools/report/report_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "base/utf8_path.h"
#include "driver/arguments.h"
#include "driver/build.h"
#include "driver/embedded_descriptions.h"
#include "driver/exit_status.h"
#include "driver/reporter.h"
#include "driver/scenario_names.h"
#include "driver/usage.h"
#include "tools/report/report_page.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

Scenario compile_embedded(const EmbeddedScenario& e) {
  EmbeddedDescriptions d = embedded_descriptions(e);
  return memorizza_percorso({d.line, d.train, d.base_name, d.train_number, 1});
}

Scenario compile_files(const fs::path& line, const fs::path& train, const ScenarioNames& names) {
  FileDescription line_description(line, false);
  FileDescription train_description(train, false);
  return memorizza_percorso(
      {line_description, train_description, names.base_name, names.train_number, 1});
}

// Returns the reason when the page cannot be written.
std::optional<std::string> write_page(const fs::path& file, const std::string& page) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) return "it is a directory";
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return std::strerror(errno);
  out << page;
  out.close();
  if (!out) return "writing failed";
  return std::nullopt;
}

// What the words ask for: the embedded scenario, or an author's LINE and TRAIN.
struct ReportRequest {
  std::vector<std::string> descriptions;  // none, or LINE and TRAIN
  ScenarioNames names;
  fs::path out;
};

std::optional<ReportRequest> read_request(const Arguments& args, const EmbeddedScenario& e,
                                          std::string& problem) {
  ReportRequest r{args.positionals, {std::string(e.base_name), std::string(e.train_number)}, {}};
  if (r.descriptions.empty() && (args.value("--base") || args.value("--train"))) {
    problem = "--base and --train go with LINE and TRAIN";
    return std::nullopt;
  }
  if (!r.descriptions.empty()) {
    if (r.descriptions.size() != 2) {
      problem = "report takes LINE and TRAIN, or nothing for the embedded scenario";
      return std::nullopt;
    }
    const auto names = resolve_names(utf8_path(r.descriptions[0]), utf8_path(r.descriptions[1]),
                                     args.value("--base"), args.value("--train"), problem);
    if (!names) return std::nullopt;
    r.names = *names;
  }
  r.out = utf8_path(
      args.value("--out").value_or(r.names.base_name + "_" + r.names.train_number + ".html"));
  for (const std::string& d : r.descriptions) {
    if (same_file(r.out, utf8_path(d))) {
      problem = "the report " + shown_path(r.out) + " would replace the description " + d;
      return std::nullopt;
    }
  }
  return r;
}

Scenario compile_request(const ReportRequest& r, const EmbeddedScenario& e) {
  if (r.descriptions.empty()) return compile_embedded(e);
  return compile_files(utf8_path(r.descriptions[0]), utf8_path(r.descriptions[1]), r.names);
}

}  // namespace

int report_command(std::span<const std::string> words, const EmbeddedScenario& scenario) {
  std::string problem;
  const auto args = parse_arguments(words, {"--base", "--train", "--out"}, {}, problem);
  const auto request = args ? read_request(*args, scenario, problem) : std::nullopt;
  if (!request) return usage_error("report", problem);
  const Scenario compiled = compile_request(*request, scenario);
  if (const auto why = write_page(request->out, report_page(compiled))) {
    std::cerr << "tracciato: cannot write " << shown_path(request->out) << ": " << *why << '\n';
    return exit_code(ExitStatus::kFileProblem);
  }
  if (compiled.errors.failed()) {
    ConsoleReporter().compile_error(compiled.errors);
    return exit_code(ExitStatus::kError);
  }
  return exit_code(ExitStatus::kOk);
}

}  // namespace tracciato
