#include "commands/decompile/decompile_command.h"

#include <iostream>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "cli/compiled_set_files.h"
#include "cli/output_directory.h"
#include "cli/written_files.h"
#include "commands/decompile/decompiled_files.h"
#include "compile/decompile/decompile.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

void tell_difference(const Difference& d, std::string_view lead) {
  std::cerr << lead << d.where << ": " << d.what << '\n';
  if (!d.why.empty()) std::cerr << "  why: " << d.why << '\n';
}

// The header's names are what the descriptions must be named after to give its bytes.
void tell_names(const CompiledSetFiles& files, const Decompiled& d) {
  if (files.names.base_name == d.names.base_name &&
      files.names.train_number == d.names.train_number) {
    return;
  }
  std::cerr << "note: the header names scenario \"" << d.names.base_name << "\" and train \""
            << d.names.train_number << "\", not \"" << files.names.base_name << "\" and \""
            << files.names.train_number << "\" as the file name does; the descriptions take "
            << "the header's names\n";
}

ExitStatus refuse(const Arguments& args, const Decompiled& d, const fs::path& dir) {
  std::cerr << "tracciato: no description compiles to these bytes\n";
  tell_difference(d.differences.front(), "first difference: ");
  std::cerr << "give --nearest to write the nearest descriptions all the same\n";
  tell_written(args, {}, dir, true);
  return ExitStatus::kError;
}

void warn_differences(const Decompiled& d) {
  for (const Difference& f : d.differences) tell_difference(f, "warning: ");
  if (d.differences_left_out > 0) {
    std::cerr << "warning: " << d.differences_left_out << " more differences\n";
  }
}

ExitStatus run(const Arguments& args, const CommandContext& /*context*/) {
  const CompiledSetFiles files = read_set_files(args.positionals.front()).value();
  const fs::path dir = args.value("--out") ? utf8_path(*args.value("--out")) : files.dir;
  if (const Result<fs::path> usable = output_directory(dir); !usable) {
    std::cerr << "tracciato: " << usable.failure().what() << '\n';
    tell_written(args, {}, dir, true);
    return usable.failure().status();
  }
  const Decompiled d = decompile(files.set());
  tell_names(files, d);
  if (!d.proven() && !args.flag("--nearest")) return refuse(args, d, dir);
  if (!d.proven()) warn_differences(d);
  const DecompiledFiles out = plan_decompiled_files(d, dir);
  if (!args.flag("--force") && refuse_to_replace(out)) {
    tell_written(args, {}, dir, true);
    return ExitStatus::kFileProblem;
  }
  std::vector<std::string> written;
  try {
    written = write_decompiled_files(out, dir, args.flag("--force"));
  } catch (const FileError& error) {
    const Failure failure = write_failure(error);
    std::cerr << "tracciato: " << failure.what() << '\n';
    tell_written(args, {}, dir, true);
    return failure.status();
  }
  if (d.proven() && !args.flag("--quiet")) {
    std::cerr << "proven: the descriptions compile to the very bytes of "
              << set_file_names(d.names, d.geometry) << '\n';
  }
  if (!d.geometry && !args.flag("--quiet")) {
    std::cerr << "no " << geometry_file_name(d.names.base_name)
              << " stands beside it: compile the descriptions with --no-geometry\n";
  }
  tell_decompiled(args, out, written, dir);
  return d.proven() ? ExitStatus::kOk : ExitStatus::kNearest;
}

}  // namespace

const Command kDecompileCommand{
    .name = "decompile",
    .forms = {"FILE.sim [--out DIR] [--force] [--nearest] [--quiet]"},
    .summary =
        "turn a compiled set (NAME_NUMBER.sim with NAME_NUMBER.dat and, when\n"
        "present, NAME_linea.dat beside it) back into NAME_linea.txt and\n"
        "NAME_NUMBER-.txt, written only once compiling them in memory gives the\n"
        "very same bytes (status 0); otherwise nothing is written, the first\n"
        "difference is named and the status is 1, or with --nearest the nearest\n"
        "descriptions are written with a warning per difference and the status\n"
        "is 2; a file that differs stays unless --force, and one that cannot be\n"
        "read or written is status 3\n",
    .options = {out_directory_option("write into DIR (default: beside the compiled files)"),
                {"--force", "", "replace descriptions that differ, such as edited ones"},
                {"--nearest", "", "write the nearest descriptions when none gives the same bytes"},
                kQuietOption},
    .positionals = {{"", {1}, "one FILE.sim"}},
    .run = run,
};

}  // namespace tracciato
