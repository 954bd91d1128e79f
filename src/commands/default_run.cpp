#include "commands/default_run.h"

#include <algorithm>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/colour_option.h"
#include "cli/exit_status.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "compile/build_files.h"
#include "compile/output_files.h"
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

// A failure when a description stands where the run writes its own that an author may have
// edited, which the run would replace and then delete.
void refuse_edited_descriptions(const EmbeddedScenario& scenario, const fs::path& dir) {
  const std::string base_name(scenario.base_name);
  const std::string descriptions[] = {
      line_description_name(base_name),
      train_description_name(base_name, std::string(scenario.train_number))};
  std::vector<std::string> kept;
  for (const ScenarioText& text : scenario_texts(scenario)) {
    if (std::ranges::find(descriptions, text.name) == std::end(descriptions)) continue;
    const fs::path file = dir / utf8_path(text.name);
    const EarlierFile earlier = earlier_file(file, text.utf8);
    if (earlier.kind == EarlierFile::kOther) kept.push_back(shown_path(file) + " " + earlier.why);
  }
  if (kept.empty()) return;
  const bool one = kept.size() == 1;
  std::string message = kept.front();
  if (!one) message += ", and " + kept.back();
  throw file_failure(message + "; the run would replace " + (one ? "it" : "them") + " and delete " +
                     (one ? "it" : "them") + ": give --force for that, or build " +
                     (one ? "it" : "them") + " with tracciato compile");
}

// A failure when files the run would replace are read-only.
void refuse_read_only_files(const EmbeddedScenario& scenario, const fs::path& dir) {
  const std::string base_name(scenario.base_name);
  const std::string train_number(scenario.train_number);
  std::vector<std::string> outputs;
  for (const ScenarioText& text : scenario_texts(scenario)) outputs.push_back(text.name);
  outputs.insert(outputs.end(),
                 {geometry_file_name(base_name), header_file_name(base_name, train_number),
                  cell_file_name(base_name, train_number)});
  const auto read_only = read_only_outputs(dir, outputs);
  if (!read_only) return;
  std::string message;
  for (std::size_t i = 0; i < read_only->size(); ++i) {
    if (i > 0) message += i + 1 == read_only->size() ? " and " : ", ";
    message += shown_path(dir / utf8_path((*read_only)[i]));
  }
  const bool one = read_only->size() == 1;
  throw file_failure(message + (one ? " is" : " are") + " read-only: give --force to replace " +
                     (one ? "it" : "them"));
}

// The files a run leaves: the texts it wrote that the compile did not delete, then the
// compiled files.
std::vector<std::string> left_behind(const std::vector<std::string>& texts, const fs::path& dir,
                                     const BuildOutcome& outcome) {
  std::vector<std::string> left;
  std::error_code ec;
  for (const std::string& name : texts) {
    if (fs::exists(dir / utf8_path(name), ec)) left.push_back(name);
  }
  for (const WrittenFile& f : outcome.written) left.push_back(f.name);
  return left;
}

// Texts, compile (which deletes the temporary descriptions), compiled files; `written`
// receives what is left of them.
ExitStatus build_embedded(const EmbeddedScenario& scenario, const fs::path& dir, Face& face,
                          bool force, std::vector<std::string>& written) {
  face.show_waiting();
  const std::string base_name(scenario.base_name);
  const std::string train_number(scenario.train_number);
  try {
    write_scenario_texts(scenario, dir, &written);
  } catch (const FileError& error) {
    const Failure failure = write_failure(error);
    face.failure(failure.what());
    return failure.status();
  }
  const std::string line_name = line_description_name(base_name);
  const std::string train_name = train_description_name(base_name, train_number);
  FileDescription line(dir / utf8_path(line_name), true, line_name);
  FileDescription train(dir / utf8_path(train_name), true, train_name);
  const BuildRequest request{line, train, {base_name, train_number}, 1};
  const BuildOutcome outcome = build_files(request, dir, nullptr, force);
  written = left_behind(written, dir, outcome);
  return report_build(outcome, face);
}

ExitStatus run(const Arguments& args, const CommandContext& context) {
  const std::unique_ptr<Face> face =
      choose_face(args.flag("--headless"), context, chosen_palette(args, false));
  const auto out = args.value("--out");
  const fs::path dir = out ? utf8_path(*out) : executable_path().parent_path();
  try {
    output_directory(dir).value();
    if (!args.flag("--force")) {
      refuse_edited_descriptions(context.scenario, dir);
      refuse_read_only_files(context.scenario, dir);
    }
  } catch (const Failure& refusal) {
    face->failure(refusal.what());
    tell_written(args, {}, dir, true);
    return refusal.status();
  }
  std::vector<std::string> written;
  const ExitStatus status =
      build_embedded(context.scenario, dir, *face, args.flag("--force"), written);
  tell_written(args, written, dir, status != ExitStatus::kOk);
  return status;
}

}  // namespace

const Command kDefaultRun{
    .name = "",
    .forms = {"[--out DIR] [--headless] [--force] [--quiet] [--color WHEN]"},
    .summary =
        "build the embedded scenario: write its descriptions and driver documents,\n"
        "compile them and write the compiled files beside the program (or in DIR);\n"
        "a window shows while it works where there is a desktop (not --headless);\n"
        "a description there that differs from the embedded one (an edit) stops\n"
        "the run before it writes anything, unless --force; a last line on\n"
        "standard error names the files written\n",
    .options = {out_directory_option("write everything into DIR, not beside the program"),
                {"--headless", "", "show no window, even where there is a desktop"},
                {"--force", "", "replace edited descriptions and read-only files"},
                kQuietOption,
                kColourOption},
    .positionals = {{"", {0}, "options only, or a command first"}},
    .run = run,
};

}  // namespace tracciato
