#include "commands/dump/dump_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "commands/dump/dump_json.h"
#include "commands/dump/dump_text.h"
#include "commands/dump/dump_walk.h"
#include "model/file_names.h"
#include "platform/input_file.h"

namespace tracciato {

namespace fs = std::filesystem;

namespace {

// One compiled file, read whole, with the kind its name or else its bytes give.
struct OpenedFile {
  explicit OpenedFile(const std::string& word) : path(utf8_path(word)) {}
  fs::path path;
  std::vector<std::uint8_t> contents;
  std::span<const std::uint8_t> bytes;
  std::optional<CompiledKind> kind;
  DumpedFile name() const { return {shown_path(path), bytes.size()}; }
};

// Reads the file; false, with the complaint written, when it cannot be read. It is read,
// not mapped: another program that shortens a mapped file would end the process.
bool open(OpenedFile& file) {
  std::string why;
  auto input = InputFile::open(file.path, why);
  if (!input) {
    std::cerr << "tracciato: cannot read " << shown_path(file.path) << ": " << why << '\n';
    return false;
  }
  try {
    file.contents = input->read_all();
  } catch (const ReadError& error) {
    std::cerr << "tracciato: " << shown_path(file.path) << ": offset " << error.offset() << ": "
              << error.what() << '\n';
    return false;
  }
  file.bytes = file.contents;
  file.kind = compiled_kind_from_name(file.path);
  if (!file.kind) file.kind = compiled_kind_from_content(file.bytes);
  return true;
}

std::string unknown_kind(const OpenedFile& file) {
  return "cannot tell what '" + shown_path(file.path) +
         "' holds: its name is not NAME_NUMBER.sim, NAME_NUMBER.dat or NAME_linea.dat and its "
         "bytes fit none of them";
}

void tell_damage(const OpenedFile& file, const DecodeError& error) {
  std::cerr << "tracciato: " << shown_path(file.path) << ": offset " << error.offset() << ": "
            << error.what() << '\n';
}

std::unique_ptr<DumpWriter> writer(const Arguments& args) {
  return args.flag("--json") ? json_dump_writer(std::cout) : text_dump_writer(std::cout);
}

ExitStatus run_diff(const Arguments& args, const DumpRange& range) {
  OpenedFile a(args.positionals[0]);
  OpenedFile b(args.positionals[1]);
  if (!open(a) || !open(b)) return ExitStatus::kFileProblem;
  for (const OpenedFile* f : {&a, &b}) {
    if (!f->kind) throw usage_failure(unknown_kind(*f));
  }
  if (*a.kind != *b.kind) throw usage_failure("--diff compares two files of one kind");
  for (const OpenedFile* f : {&a, &b}) {
    if (const auto damage = find_damage(*f->kind, f->bytes)) {
      tell_damage(*f, *damage);
      return ExitStatus::kError;
    }
  }
  const std::size_t differences =
      dump_differences(*a.kind, a.name(), a.bytes, b.name(), b.bytes, range, *writer(args));
  return differences == 0 ? ExitStatus::kOk : ExitStatus::kError;
}

ExitStatus run(const Arguments& args, const CommandContext& /*context*/) {
  DumpOptions options;
  options.range.from = args.whole("--from");
  options.range.to = args.whole("--to");
  // JSON is read by programs: it always holds every item.
  options.all = args.flag("--all") || args.flag("--json");
  if (args.flag("--diff")) return run_diff(args, options.range);
  OpenedFile file(args.positionals.front());
  if (!open(file)) return ExitStatus::kFileProblem;
  if (!file.kind) throw usage_failure(unknown_kind(file));
  const auto damage = dump_file(*file.kind, file.name(), file.bytes, options, *writer(args));
  std::cout.flush();
  if (!damage) return ExitStatus::kOk;
  tell_damage(file, *damage);
  return ExitStatus::kError;
}

}  // namespace

const Command kDumpCommand{
    .name = "dump",
    .forms = {"FILE [--json] [--all] [--from METRES] [--to METRES]",
              "--diff A B [--json] [--from METRES] [--to METRES]"},
    .summary =
        "show a compiled file (.sim, .dat or _linea.dat; other names by their\n"
        "bytes) as text, one record, cell or metre per line, named fields in\n"
        "their units (cells without an object and most metres left out unless\n"
        "--all), or as JSON; values the format does not allow are marked !.\n"
        "A damaged file is shown up to the damage, then the offset: status 1.\n"
        "--diff shows what differs between two files of one kind and counts it:\n"
        "status 0 same, 1 different or a file damaged, 3 a file unreadable\n",
    .options = {{"--json", "", "one JSON object, raw and decoded values side by side"},
                {"--all", "", "also the cells without an object and every metre (JSON always)"},
                {"--from", "METRES", "only what lies from this route metre on", kAnyWholeNumber},
                {"--to", "METRES", "only what lies up to this route metre", kAnyWholeNumber},
                {"--diff", "", "the records, cells or metres that differ between A and B"}},
    .positionals = {{"--diff", {2}, "two FILEs"}, {"", {1}, "one FILE"}},
    .run = run,
};

}  // namespace tracciato
