#include "commands/export_command.h"

#include <iostream>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/exit_status.h"
#include "cli/output_directory.h"
#include "cli/reporter.h"
#include "cli/written_files.h"
#include "compile/output_files.h"
#include "documents/scenario_texts.h"
#include "textio/text_writer.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// A file export would write, and what stands there already.
struct Planned {
  fs::path file;
  std::string name;
  std::string_view utf8;
  EarlierFile earlier;
};

std::vector<Planned> plan(const EmbeddedScenario& scenario, const fs::path& dir) {
  std::vector<Planned> planned;
  for (const ScenarioText& text : scenario_texts(scenario)) {
    const fs::path file = dir / utf8_path(text.name);
    planned.push_back({file, text.name, text.utf8, earlier_file(file, text.utf8)});
  }
  return planned;
}

// An author's edits are never lost to export: a file that differs stays, unless --force.
bool refuse_to_replace(const std::vector<Planned>& planned) {
  bool refused = false;
  for (const Planned& p : planned) {
    if (p.earlier.kind != EarlierFile::kOther) continue;
    std::cerr << "tracciato: " << shown_path(p.file) << " " << p.earlier.why
              << "; give --force to replace it\n";
    refused = true;
  }
  return refused;
}

// Writes the texts that differ from what stands as one set, as the compiled files are: a
// failure leaves every earlier file as it was and no new one. Gives the names written.
std::vector<std::string> write_texts(const std::vector<Planned>& planned, const fs::path& dir,
                                     bool replace_read_only) {
  std::vector<std::string> names;
  std::vector<std::string> bytes;
  bytes.reserve(planned.size());
  std::vector<CompiledFile> files;
  for (const Planned& p : planned) {
    if (p.earlier.kind == EarlierFile::kSame) continue;
    const std::string& text = bytes.emplace_back(embedded_text_bytes(p.utf8));
    files.push_back({p.name, {{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}}});
    names.push_back(p.name);
  }
  if (!files.empty()) write_all_or_nothing(dir, files, replace_read_only);
  return names;
}

// "wrote A, B in DIR/", or "(C already up to date)" after it for those left as they were.
void tell_exported(const Arguments& args, const std::vector<Planned>& planned,
                   const std::vector<std::string>& written, const fs::path& dir) {
  if (args.flag("--quiet")) return;
  std::vector<std::string> kept;
  for (const Planned& p : planned) {
    if (p.earlier.kind == EarlierFile::kSame) kept.push_back(p.name);
  }
  if (written.empty() && !kept.empty()) {
    std::cerr << "nothing was written: every file already held its text\n";
    return;
  }
  std::cerr << written_line(written, dir, false);
  for (std::size_t i = 0; i < kept.size(); ++i) std::cerr << (i == 0 ? " (" : ", ") << kept[i];
  std::cerr << (kept.empty() ? "\n" : " already up to date)\n");
}

ExitStatus run(const Arguments& args, const CommandContext& context) {
  const fs::path dir = utf8_path(args.value("--out").value_or("."));
  ConsoleReporter console;
  if (const Result<fs::path> usable = output_directory(dir); !usable) {
    console.failure(usable.failure().what());
    tell_written(args, {}, dir, true);
    return usable.failure().status();
  }
  const std::vector<Planned> planned = plan(context.scenario, dir);
  if (!args.flag("--force") && refuse_to_replace(planned)) {
    tell_written(args, {}, dir, true);
    return ExitStatus::kFileProblem;
  }
  std::vector<std::string> written;
  try {
    written = write_texts(planned, dir, args.flag("--force"));
  } catch (const FileError& error) {
    const Failure failure = write_failure(error);
    console.failure(failure.what());
    tell_written(args, {}, dir, true);
    return failure.status();
  }
  tell_exported(args, planned, written, dir);
  return ExitStatus::kOk;
}

}  // namespace

const Command kExportCommand{
    .name = "export",
    .forms = {"[--out DIR] [--force] [--quiet]"},
    .summary =
        "write the embedded descriptions and driver documents into DIR (default:\n"
        "the current directory), without compiling them; a file that differs\n"
        "from what export writes stays unless --force; a last line on standard\n"
        "error names the files written\n",
    .options = {out_directory_option("write into DIR (default: the current directory)"),
                {"--force", "", "replace files that differ, such as edited descriptions"},
                kQuietOption},
    .positionals = {{"", {0}, "options only"}},
    .run = run,
};

}  // namespace tracciato
