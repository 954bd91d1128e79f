#include "commands/report/report_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/utf8_path.h"
#include "cli/description_argument.h"
#include "cli/exit_status.h"
#include "cli/findings.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "commands/report/page_file.h"
#include "commands/report/report_findings.h"
#include "commands/report/report_page.h"
#include "compile/pipeline.h"
#include "model/file_names.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// The compile with its warnings heard in the same pass; when it fails, the checker's pass
// as well, so that every error is listed, the compile's own one marked among them.
struct Compiled {
  Scenario scenario;
  FindingList findings{false, report_retention()};
};

Compiled compile_inputs(DescriptionInputs& in) {
  const BuildRequest request{*in.line, *in.train, in.names, 1};
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

// The page goes into its file as it is made, under a temporary name until it is whole.
Result<fs::path> write_page(const fs::path& file, const Compiled& compiled,
                            bool replace_read_only) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) {
    return file_failure("cannot write " + shown_path(file) + ": it is a directory");
  }
  return write_page_file(file, replace_read_only, [&compiled](std::ostream& out) {
    write_report_page(out, compiled.scenario, compiled.findings);
  });
}

// The page's file: --out, or NAME_NUMBER.html; never one of the descriptions.
Result<fs::path> page_file(const Arguments& args, const DescriptionInputs& in) {
  const fs::path out = utf8_path(
      args.value("--out").value_or(in.names.base_name + "_" + in.names.train_number + ".html"));
  for (const std::string& d : in.words) {
    if (same_file(out, utf8_path(d))) {
      return usage_failure("the report " + shown_path(out) + " would replace the description " + d);
    }
  }
  return out;
}

ExitStatus run(const Arguments& args, const CommandContext& context) {
  DescriptionInputs inputs = description_inputs(args, "report", context.scenario).value();
  const fs::path page = page_file(args, inputs).value();
  const Compiled compiled = compile_inputs(inputs);
  if (const Result<fs::path> written = write_page(page, compiled, args.flag("--force")); !written) {
    std::cerr << "tracciato: " << written.failure().what() << '\n';
    tell_written(args, {}, page.parent_path(), true);
    return written.failure().status();
  }
  // The page is written whole even when the compile fails, to show its errors.
  const bool failed = compiled.scenario.errors.failed();
  if (failed) ConsoleReporter().compile_error(compiled.scenario.errors);
  tell_written(args, {shown_path(page.filename())}, page.parent_path(), false);
  return failed ? ExitStatus::kError : ExitStatus::kOk;
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
    .options = {kBaseOption,
                kTrainOption,
                {"--out", "FILE.html", "write the page to FILE.html", kPathValue},
                {"--force", "", "replace a read-only page"},
                kQuietOption},
    .positionals = {{"", {0, 2}, "LINE and TRAIN, or nothing for the embedded scenario"}},
    .run = run,
};

}  // namespace tracciato
