#include "commands/compile_command.h"

#include <filesystem>
#include <iostream>

#include "base/utf8_path.h"
#include "cli/colour_option.h"
#include "cli/description_argument.h"
#include "cli/exit_status.h"
#include "cli/findings_output.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "compile/build_files.h"
#include "model/file_names.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// The compile must never replace the author's own descriptions: a usage failure if it would.
void refuse_output_collision(const fs::path& out, const DescriptionInputs& in) {
  const ScenarioNames& n = in.names;
  for (const std::string& name :
       {geometry_file_name(n.base_name), header_file_name(n.base_name, n.train_number),
        cell_file_name(n.base_name, n.train_number)}) {
    const fs::path file = out / utf8_path(name);
    for (const std::string& word : in.words) {
      if (same_file(file, utf8_path(word))) {
        throw usage_failure("the output file " + shown_path(file) + " is one of the descriptions");
      }
    }
  }
}

void print_summary(const BuildOutcome& outcome, const fs::path& out) {
  for (const WrittenFile& f : outcome.written) {
    std::cout << shown_path(out / utf8_path(f.name)) << ": " << f.bytes << " bytes\n";
  }
}

std::vector<std::string> names_of(const std::vector<WrittenFile>& written) {
  std::vector<std::string> names;
  names.reserve(written.size());
  for (const WrittenFile& f : written) names.push_back(f.name);
  return names;
}

ExitStatus run(const Arguments& args, const CommandContext& context) {
  auto inputs = description_inputs(args, "compile", context.scenario);
  if (!inputs && inputs.failure().status() == ExitStatus::kUsage) throw inputs.failure();
  const fs::path out = utf8_path(args.value("--out").value_or("."));
  if (inputs) refuse_output_collision(out, *inputs);
  const Palette colours = chosen_palette(args, false);
  ConsoleReporter reporter(colours);
  const Result<fs::path> usable = output_directory(out);
  if (const Failure* refusal = !usable   ? &usable.failure()
                               : !inputs ? &inputs.failure()
                                         : nullptr) {
    reporter.failure(refusal->what());
    tell_written(args, {}, out, true);
    return refusal->status();
  }
  const BuildRequest request{*inputs->line, *inputs->train, inputs->names,
                             args.flag("--no-geometry") ? 0 : 1};
  FindingList warnings(false, text_retention());
  const BuildOutcome outcome =
      build_files(request, out, args.flag("-w") ? nullptr : &warnings, args.flag("--force"));
  if (args.flag("--verbose")) print_summary(outcome, out);
  const ExitStatus status = report_build(outcome, reporter);
  if (status == ExitStatus::kOk) write_warnings_text(std::cerr, warnings, colours);
  tell_written(args, names_of(outcome.written), out, status != ExitStatus::kOk);
  return status;
}

}  // namespace

const Command kCompileCommand{
    .name = "compile",
    .forms = {"[LINE TRAIN] [--base NAME] [--train NUMBER] [--out DIR]\n"
              "[--no-geometry] [--force] [--verbose] [-w] [--quiet] [--color WHEN]"},
    .summary =
        "compile a line description and a train description (the embedded ones\n"
        "without LINE and TRAIN) into the simulator's files NAME_linea.dat,\n"
        "NAME_NUMBER.sim and NAME_NUMBER.dat\n"
        "NAME defaults to LINE's name without \"_linea.txt\", NUMBER to TRAIN's\n"
        "name without \"NAME_\" and \"-.txt\"; DIR defaults to the current directory;\n"
        "LINE or TRAIN may be - for standard input, with --base and --train;\n"
        "after a build that succeeds, what an author rarely means is warned about\n"
        "on standard error, as tracciato check finds it; a last line there names\n"
        "the files written, or says that nothing was\n",
    .options = {kBaseOption,
                kTrainOption,
                out_directory_option("write the compiled files into DIR"),
                {"--no-geometry", "", "build without the plan geometry table"},
                {"--force", "", "replace compiled files that are read-only"},
                {"--verbose", "", "list the files written, with their sizes"},
                {"-w", "", "leave out the warnings"},
                kQuietOption,
                kColourOption},
    .positionals = {{"", {0, 2}, "LINE and TRAIN, or nothing for the embedded scenario"}},
    .run = run,
};

}  // namespace tracciato
