#include "commands/export_command.h"

#include <iostream>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "compile/description.h"
#include "documents/scenario_texts.h"
#include "textio/text_writer.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// A file export would write, and whether what stands there already holds its bytes.
struct Planned {
  fs::path file;
  std::string_view utf8;
  bool already_there = false;
  bool differs = false;
};

std::vector<Planned> plan(const EmbeddedScenario& scenario, const fs::path& dir) {
  std::vector<Planned> planned;
  for (const ScenarioText& text : scenario_texts(scenario)) {
    Planned p{dir / utf8_path(text.name), text.utf8};
    FileDescription earlier(p.file, false);
    if (earlier.exists()) {
      const auto bytes = earlier.load();
      p.already_there = bytes && *bytes == embedded_text_bytes(text.utf8);
      p.differs = !p.already_there;
    }
    planned.push_back(std::move(p));
  }
  return planned;
}

// An author's edits are never lost to export: a file that differs stays, unless --force.
bool refuse_to_replace(const std::vector<Planned>& planned) {
  bool refused = false;
  for (const Planned& p : planned) {
    if (!p.differs) continue;
    std::cerr << "tracciato: " << shown_path(p.file)
              << " differs from the embedded scenario's text; give --force to replace it\n";
    refused = true;
  }
  return refused;
}

int run(const Arguments& args, const CommandContext& context) {
  if (!args.positionals.empty()) {
    return usage_error("export", "unexpected " + args.positionals.front());
  }
  const fs::path dir = utf8_path(args.value("--out").value_or("."));
  ConsoleReporter console;
  if (const auto problem = unusable_output_directory(dir)) {
    console.failure(*problem);
    return exit_code(ExitStatus::kFileProblem);
  }
  const std::vector<Planned> planned = plan(context.scenario, dir);
  if (!args.flag("--force") && refuse_to_replace(planned)) {
    return exit_code(ExitStatus::kFileProblem);
  }
  try {
    for (const Planned& p : planned) {
      if (!p.already_there) write_embedded_text(p.file, p.utf8);
    }
  } catch (const FileError& error) {
    console.failure("cannot write " + std::string(error.what()));
    return exit_code(ExitStatus::kFileProblem);
  }
  return exit_code(ExitStatus::kOk);
}

}  // namespace

const Command kExportCommand{
    .name = "export",
    .forms = {"[--out DIR] [--force]"},
    .summary =
        "write the embedded descriptions and driver documents into DIR (default:\n"
        "the current directory), without compiling them; a file that differs\n"
        "from what export writes stays unless --force\n",
    .options = {{"--out", "DIR", "write into DIR (default: the current directory)"},
                {"--force", "", "replace files that differ, such as edited descriptions"}},
    .run = run,
};

}  // namespace tracciato
