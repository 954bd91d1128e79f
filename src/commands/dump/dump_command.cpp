#include "commands/dump/dump_command.h"

#include <filesystem>
#include <iostream>

#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "commands/dump/dump_json.h"
#include "commands/dump/dump_text.h"
#include "compile/description.h"
#include "format/dump_decoder.h"

namespace tracciato {

namespace fs = std::filesystem;

namespace {

int run(const Arguments& args, const CommandContext& /*context*/) {
  if (args.positionals.size() != 1) return usage_error("dump", "dump takes one FILE");
  const fs::path file = utf8_path(args.positionals.front());
  const auto kind = compiled_kind_from_name(file);
  if (!kind) {
    return usage_error("dump", "cannot tell what '" + shown_path(file) +
                                   "' holds: expected NAME_NUMBER.sim, NAME_NUMBER.dat "
                                   "or NAME_linea.dat");
  }
  FileDescription mapped(file, false);
  const auto text = mapped.load();
  if (!text) {
    std::cerr << "tracciato dump: cannot read " << shown_path(file) << '\n';
    return exit_code(ExitStatus::kFileProblem);
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text->data()),
                                            text->size());
  DecodedFile decoded;
  try {
    decoded = decode_compiled_file(*kind, bytes);
  } catch (const DecodeError& error) {
    std::cerr << "tracciato dump: " << shown_path(file) << ": offset " << error.offset() << ": "
              << error.what() << '\n';
    return exit_code(ExitStatus::kError);
  }
  if (args.flag("--json")) {
    write_dump_json(std::cout, decoded);
  } else {
    write_dump_text(std::cout, decoded, args.flag("--all"));
  }
  std::cout.flush();
  return exit_code(ExitStatus::kOk);
}

}  // namespace

const Command kDumpCommand{
    .name = "dump",
    .forms = {"FILE [--json] [--all]"},
    .summary =
        "show a compiled file (.sim, .dat or _linea.dat) as text, one record, cell\n"
        "or metre per line (cells without an object and most metres left out\n"
        "unless --all), or whole as JSON; status 1 if it is damaged, 3 unreadable\n",
    .options = {{"--json", "", "the whole file as JSON"},
                {"--all", "", "also the cells without an object and every metre"}},
    .run = run,
};

}  // namespace tracciato
