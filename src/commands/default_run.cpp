#include "commands/default_run.h"

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/colour_option.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "compile/build_files.h"
#include "compile/line/line_description_writer.h"
#include "compile/train/train_description_writer.h"
#include "documents/scenario_texts.h"
#include "model/file_names.h"
#include "platform/process.h"
#include "platform/program_start.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// The window where there is a desktop, the console otherwise.
std::unique_ptr<Face> choose_face(bool headless, const CommandContext& context,
                                  const Palette& colours) {
  std::unique_ptr<Face> window = headless ? nullptr : context.open_window();
  if (window) {
    hide_own_console();
    return window;
  }
  return std::make_unique<ConsoleFace>(colours);
}

// Texts, compile (which deletes the temporary descriptions), compiled files.
ExitStatus build_embedded(const EmbeddedScenario& scenario, const fs::path& dir, Face& face) {
  face.show_waiting();
  const std::string base_name(scenario.base_name);
  const std::string train_number(scenario.train_number);
  try {
    write_scenario_texts(scenario, dir);
  } catch (const FileError& error) {
    face.failure("cannot write " + std::string(error.what()));
    return ExitStatus::kFileProblem;
  }
  const std::string line_name = line_description_name(base_name);
  const std::string train_name = train_description_name(base_name, train_number);
  FileDescription line(dir / utf8_path(line_name), true, line_name);
  FileDescription train(dir / utf8_path(train_name), true, train_name);
  const BuildRequest request{line, train, base_name, train_number, 1};
  return report_build(build_files(request, dir), face);
}

int run(const Arguments& args, const CommandContext& context) {
  if (!args.positionals.empty()) return usage_error("", "unexpected " + args.positionals.front());
  std::string problem;
  const auto colours = chosen_palette(args, false, problem);
  if (!colours) return usage_error("", problem);
  const std::unique_ptr<Face> face = choose_face(args.flag("--headless"), context, *colours);
  const auto out = args.value("--out");
  const fs::path dir = out ? utf8_path(*out) : executable_path().parent_path();
  if (const auto problem = unusable_output_directory(dir)) {
    face->failure(*problem);
    return exit_code(ExitStatus::kFileProblem);
  }
  return exit_code(build_embedded(context.scenario, dir, *face));
}

}  // namespace

const Command kDefaultRun{
    .name = "",
    .forms = {"[--out DIR] [--headless] [--color WHEN]"},
    .summary =
        "build the embedded scenario: write its descriptions and driver documents,\n"
        "compile them and write the compiled files beside the program (or in DIR);\n"
        "a window shows while it works where there is a desktop (not --headless)\n",
    .options = {{"--out", "DIR", "write everything into DIR, not beside the program"},
                {"--headless", "", "show no window, even where there is a desktop"},
                kColourOption},
    .run = run,
};

}  // namespace tracciato
