#include "tools/dump/dump_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <vector>

#include "driver/arguments.h"
#include "driver/usage.h"
#include "tools/dump/dump_decoder.h"
#include "tools/dump/dump_json.h"
#include "tools/dump/dump_text.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> read_bytes(const fs::path& file, std::string& why) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) {
    why = "it is a directory";
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) {
    why = "reading failed";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

int dump_command(std::span<const std::string> words) {
  std::string problem;
  const auto args = parse_arguments(words, {}, {"--json", "--all"}, problem);
  if (args && args->positionals.size() != 1) problem = "dump takes one FILE";
  if (!args || !problem.empty()) return usage_error("dump", problem);
  const fs::path file = args->positionals.front();
  const auto kind = compiled_kind_from_name(file);
  if (!kind) {
    return usage_error("dump", "cannot tell what '" + file.string() +
                                   "' holds: expected NAME_NUMBER.sim, NAME_NUMBER.dat "
                                   "or NAME_linea.dat");
  }
  const auto bytes = read_bytes(file, problem);
  if (!bytes) {
    std::cerr << "tracciato dump: cannot read " << file.string() << ": " << problem << '\n';
    return 3;
  }
  DecodedFile decoded;
  try {
    decoded = decode_compiled_file(*kind, *bytes);
  } catch (const DecodeError& error) {
    std::cerr << "tracciato dump: " << file.string() << ": offset " << error.offset() << ": "
              << error.what() << '\n';
    return 1;
  }
  if (args->flag("--json")) {
    write_dump_json(std::cout, decoded);
  } else {
    write_dump_text(std::cout, decoded, args->flag("--all"));
  }
  std::cout.flush();
  return 0;
}

}  // namespace tracciato
