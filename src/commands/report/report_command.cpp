#include "commands/report/report_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/reporter.h"
#include "commands/report/report_page.h"
#include "compile/embedded_descriptions.h"
#include "compile/pipeline.h"
#include "model/file_names.h"

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

int run(const Arguments& args, const CommandContext& context) {
  std::string problem;
  const auto request = read_request(args, context.scenario, problem);
  if (!request) return usage_error("report", problem);
  const Scenario compiled = compile_request(*request, context.scenario);
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

}  // namespace

const Command kReportCommand{
    .name = "report",
    .forms = {"[--out FILE.html]", "LINE TRAIN [--base NAME] [--train NUMBER] [--out FILE.html]"},
    .summary =
        "compile the embedded scenario, or LINE and TRAIN, and draw its plan,\n"
        "profile and timetable, and any compile error, into one HTML page\n"
        "(default: NAME_NUMBER.html in the current directory)\n",
    .options = {{"--base", "NAME", "the scenario's name, as compile would take it"},
                {"--train", "NUMBER", "the train's number, as compile would take it"},
                {"--out", "FILE.html", "write the page to FILE.html"}},
    .run = run,
};

}  // namespace tracciato
