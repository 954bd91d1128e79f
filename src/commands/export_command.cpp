#include "commands/export_command.h"

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "documents/scenario_texts.h"

namespace tracciato {

namespace {

int run(const Arguments& args, const CommandContext& context) {
  if (!args.positionals.empty()) {
    return usage_error("export", "unexpected " + args.positionals.front());
  }
  const std::filesystem::path dir = utf8_path(args.value("--out").value_or("."));
  ConsoleReporter console;
  if (const auto problem = unusable_output_directory(dir)) {
    console.failure(*problem);
    return exit_code(ExitStatus::kFileProblem);
  }
  try {
    write_scenario_texts(context.scenario, dir);
  } catch (const FileError& error) {
    console.failure("cannot write " + std::string(error.what()));
    return exit_code(ExitStatus::kFileProblem);
  }
  return exit_code(ExitStatus::kOk);
}

}  // namespace

const Command kExportCommand{
    .name = "export",
    .forms = {"[--out DIR]"},
    .summary =
        "write the embedded descriptions and driver documents into DIR (default:\n"
        "the current directory), without compiling them\n",
    .options = {{"--out", "DIR", "write into DIR (default: the current directory)"}},
    .run = run,
};

}  // namespace tracciato
