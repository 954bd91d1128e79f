#include "tools/dump/dump_command.h"

#include <filesystem>
#include <iostream>

#include "base/utf8_path.h"
#include "driver/arguments.h"
#include "driver/description.h"
#include "driver/exit_status.h"
#include "driver/usage.h"
#include "tools/dump/dump_decoder.h"
#include "tools/dump/dump_json.h"
#include "tools/dump/dump_text.h"

namespace tracciato {

namespace fs = std::filesystem;

int dump_command(std::span<const std::string> words) {
  std::string problem;
  const auto args = parse_arguments(words, {}, {"--json", "--all"}, problem);
  if (args && args->positionals.size() != 1) problem = "dump takes one FILE";
  if (!args || !problem.empty()) return usage_error("dump", problem);
  const fs::path file = utf8_path(args->positionals.front());
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
  if (args->flag("--json")) {
    write_dump_json(std::cout, decoded);
  } else {
    write_dump_text(std::cout, decoded, args->flag("--all"));
  }
  std::cout.flush();
  return exit_code(ExitStatus::kOk);
}

}  // namespace tracciato
