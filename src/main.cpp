#include <vector>

#include "cli/command.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "commands/check/check_command.h"
#include "commands/compile_command.h"
#include "commands/decompile/decompile_command.h"
#include "commands/default_run.h"
#include "commands/dump/dump_command.h"
#include "commands/explain_command.h"
#include "commands/export_command.h"
#include "commands/lsp/lsp_command.h"
#include "commands/report/report_command.h"
#include "model/embedded_scenario.h"
#include "platform/program_start.h"
#include "window/window_face.h"

int main(int argc, char** argv) {
  using namespace tracciato;
  const std::vector<std::string> words = start_program(argc, argv);
  // The order of the help.
  const std::vector<Command> commands = {
      kDefaultRun,       kExportCommand, kCompileCommand, kCheckCommand,   kDumpCommand,
      kDecompileCommand, kReportCommand, kLspCommand,     kExplainCommand, kHelpCommand};
  const CommandContext context{embedded_scenario(), open_window_face, commands};
  return exit_code(run_command_line(words, context));
}
