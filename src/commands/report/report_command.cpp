#include "commands/report/report_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/utf8_path.h"
#include "cli/compiled_set_files.h"
#include "cli/description_argument.h"
#include "cli/exit_status.h"
#include "cli/findings.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "commands/report/page_file.h"
#include "commands/report/report_findings.h"
#include "commands/report/report_page.h"
#include "compile/decompile/decompile.h"
#include "compile/description.h"
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
  std::string drawn_from;  // for a compiled set: which, and how the decompiler read it
};

// The descriptions to draw, and for a compiled set what the page says of it.
struct Drawn {
  DescriptionInputs inputs;
  bool geometry = true;
  std::string drawn_from;
};

std::string drawn_from(const Decompiled& d) {
  const ScenarioNames& n = d.names;
  std::string text = "Drawn from the compiled files " + set_file_names(n, d.geometry);
  if (!d.geometry) {
    text = "Drawn from the compiled files " + header_file_name(n.base_name, n.train_number) +
           " and " + cell_file_name(n.base_name, n.train_number) + ", without a " +
           geometry_file_name(n.base_name) + ",";
  }
  text += " through the descriptions the decompiler gives for them";
  if (d.proven()) return text + ", which compile to their very bytes.";
  const Difference& first = d.differences.front();
  return text + ", the nearest ones: no description gives their very bytes, first at " +
         first.where + ": " + first.what + ".";
}

// A compiled set (FILE.sim) is drawn through the decompiler, as an author would edit it.
Result<Drawn> decompiled_inputs(const std::string& sim) {
  const Result<CompiledSetFiles> files = read_set_files(sim);
  if (!files) return files.failure();
  const Decompiled d = decompile(files->set());
  if (!d.proven()) {
    std::cerr << "warning: no description gives the very bytes of " << shown_path(utf8_path(sim))
              << "; the page draws the nearest ones\n";
  }
  const std::string base = d.names.base_name;
  DescriptionInputs in{std::make_unique<MemoryDescription>(line_description_name(base), d.line),
                       std::make_unique<MemoryDescription>(
                           train_description_name(base, d.names.train_number), d.train),
                       d.names,
                       {}};
  return Drawn{std::move(in), d.geometry, drawn_from(d)};
}

Result<Drawn> drawn_inputs(const Arguments& args, const CommandContext& context) {
  if (args.positionals.size() == 1) {
    const std::string& word = args.positionals.front();
    if (word.ends_with(".sim")) return decompiled_inputs(word);
    return usage_failure("'" + word +
                         "' is no compiled set NAME_NUMBER.sim; give LINE and TRAIN "
                         "for descriptions");
  }
  Result<DescriptionInputs> in = description_inputs(args, "report", context.scenario);
  if (!in) return in.failure();
  return Drawn{std::move(*in), true, {}};
}

Compiled compile_inputs(DescriptionInputs& in, bool geometry) {
  const BuildRequest request{*in.line, *in.train, in.names, geometry ? 1 : 0};
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
    write_report_page(out, compiled.scenario, compiled.findings, compiled.drawn_from);
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
  Drawn drawn = drawn_inputs(args, context).value();
  const fs::path page = page_file(args, drawn.inputs).value();
  Compiled compiled = compile_inputs(drawn.inputs, drawn.geometry);
  compiled.drawn_from = std::move(drawn.drawn_from);
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
              "[--quiet]",
              "FILE.sim [--out FILE.html] [--force] [--quiet]"},
    .summary =
        "compile the embedded scenario, or LINE and TRAIN, and draw its plan,\n"
        "profile and timetable, its errors and warnings, into one HTML page\n"
        "that zooms, reads out the profile under the pointer and prints whole\n"
        "(default: NAME_NUMBER.html in the current directory); a last line on\n"
        "standard error names the page written; a compiled set (FILE.sim with\n"
        "its .dat files beside it) is drawn through the descriptions decompile\n"
        "gives for it, and the page says so\n",
    .options = {kBaseOption,
                kTrainOption,
                {"--out", "FILE.html", "write the page to FILE.html", kPathValue},
                {"--force", "", "replace a read-only page"},
                kQuietOption},
    .positionals = {{"",
                     {0, 1, 2},
                     "LINE and TRAIN, one FILE.sim, or nothing for the embedded scenario"}},
    .run = run,
};

}  // namespace tracciato
