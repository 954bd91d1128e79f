#include "commands/report/report_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/utf8_path.h"
#include "cli/description_pair.h"
#include "cli/exit_status.h"
#include "cli/findings.h"
#include "cli/help.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "commands/report/page_file.h"
#include "commands/report/report_findings.h"
#include "commands/report/report_page.h"
#include "compile/embedded_descriptions.h"
#include "compile/pipeline.h"
#include "model/file_names.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// The descriptions a report compiles: the embedded ones or an author's files.
struct Inputs {
  std::unique_ptr<Description> line;
  std::unique_ptr<Description> train;
  std::string base_name;
  std::string train_number;
};

// The compile with its warnings heard in the same pass; when it fails, the checker's pass
// as well, so that every error is listed, the compile's own one marked among them.
struct Compiled {
  Scenario scenario;
  FindingList findings{false, report_retention()};
};

Compiled compile_inputs(Inputs& in) {
  const BuildRequest request{*in.line, *in.train, in.base_name, in.train_number, 1};
  Compiled c;
  c.scenario = memorizza_percorso(request, &c.findings);
  if (c.scenario.errors.failed()) {
    c.findings = FindingList(true, report_retention());
    c.findings.expect_reported(c.scenario.errors);
    memorizza_percorso(request, &c.findings);
    c.findings.finish();
  }
  return c;
}

// Returns the reason when the page cannot be written. The page goes into its file as it
// is made, under a temporary name until it is whole.
std::optional<std::string> write_page(const fs::path& file, const Compiled& compiled,
                                      bool replace_read_only) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) return "it is a directory";
  return write_page_file(file, replace_read_only, [&compiled](std::ostream& out) {
    write_report_page(out, compiled.scenario, compiled.findings);
  });
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
    if (const auto swapped = swapped_descriptions("report", r.descriptions)) {
      problem = *swapped;
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

Inputs inputs_of(const ReportRequest& r, const EmbeddedScenario& e) {
  if (r.descriptions.empty()) {
    EmbeddedDescriptions d = embedded_descriptions(e);
    return {std::make_unique<MemoryDescription>(std::move(d.line)),
            std::make_unique<MemoryDescription>(std::move(d.train)), d.base_name, d.train_number};
  }
  return {std::make_unique<FileDescription>(utf8_path(r.descriptions[0]), false),
          std::make_unique<FileDescription>(utf8_path(r.descriptions[1]), false), r.names.base_name,
          r.names.train_number};
}

int run(const Arguments& args, const CommandContext& context) {
  std::string problem;
  const auto request = read_request(args, context.scenario, problem);
  if (!request) return usage_error("report", problem);
  Inputs inputs = inputs_of(*request, context.scenario);
  const Compiled compiled = compile_inputs(inputs);
  const fs::path& page = request->out;
  if (const auto why = write_page(page, compiled, args.flag("--force"))) {
    std::cerr << "tracciato: cannot write " << shown_path(page) << ": " << *why << '\n';
    tell_written(args, {}, page.parent_path(), true);
    return exit_code(ExitStatus::kFileProblem);
  }
  // The page is written whole even when the compile fails, to show its errors.
  const bool failed = compiled.scenario.errors.failed();
  if (failed) ConsoleReporter().compile_error(compiled.scenario.errors);
  tell_written(args, {shown_path(page.filename())}, page.parent_path(), false);
  return exit_code(failed ? ExitStatus::kError : ExitStatus::kOk);
}

}  // namespace

const Command kReportCommand{
    .name = "report",
    .forms = {"[--out FILE.html] [--force] [--quiet]",
              "LINE TRAIN [--base NAME] [--train NUMBER] [--out FILE.html] [--force]\n"
              "[--quiet]"},
    .summary =
        "compile the embedded scenario, or LINE and TRAIN, and draw its plan,\n"
        "profile and timetable, its errors and warnings, into one HTML page\n"
        "that zooms, reads out the profile under the pointer and prints whole\n"
        "(default: NAME_NUMBER.html in the current directory); a last line on\n"
        "standard error names the page written\n",
    .options = {{"--base", "NAME", "the scenario's name, as compile would take it"},
                {"--train", "NUMBER", "the train's number, as compile would take it"},
                {"--out", "FILE.html", "write the page to FILE.html"},
                {"--force", "", "replace a read-only page"},
                kQuietOption},
    .run = run,
};

}  // namespace tracciato
