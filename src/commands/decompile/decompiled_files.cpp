#include "commands/decompile/decompiled_files.h"

#include <iostream>

#include "base/utf8_path.h"
#include "cli/written_files.h"
#include "compile/output_files.h"
#include "platform/mapped_file.h"
#include "platform/read_problem.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

void look_at_earlier(DecompiledFile& f) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::status(f.file, ec))) return;
  const auto mapped = MappedFile::open(f.file);
  if (!mapped) {
    const auto why = read_problem(f.file);
    f.earlier = DecompiledFile::kOther;
    f.why = "cannot be read" + (why ? ": " + *why : "");
    return;
  }
  if (mapped->bytes() == *f.bytes) {
    f.earlier = DecompiledFile::kSame;
    return;
  }
  f.earlier = DecompiledFile::kOther;
  f.why = "differs from the decompiled description";
}

}  // namespace

DecompiledFiles plan_decompiled_files(const Decompiled& d, const fs::path& dir) {
  DecompiledFiles files;
  const ScenarioNames& n = d.names;
  for (const auto& [name, bytes] :
       {std::pair{line_description_name(n.base_name), &d.line},
        std::pair{train_description_name(n.base_name, n.train_number), &d.train}}) {
    DecompiledFile f{dir / utf8_path(name), name, bytes, DecompiledFile::kNone, {}};
    look_at_earlier(f);
    files.push_back(std::move(f));
  }
  return files;
}

bool refuse_to_replace(const DecompiledFiles& files) {
  bool refused = false;
  for (const DecompiledFile& f : files) {
    if (f.earlier != DecompiledFile::kOther) continue;
    std::cerr << "tracciato: " << shown_path(f.file) << " " << f.why
              << "; give --force to replace it\n";
    refused = true;
  }
  return refused;
}

std::vector<std::string> write_decompiled_files(const DecompiledFiles& files, const fs::path& dir,
                                                bool replace_read_only) {
  std::vector<std::string> names;
  std::vector<CompiledFile> out;
  for (const DecompiledFile& f : files) {
    if (f.earlier == DecompiledFile::kSame) continue;
    out.push_back(
        {f.name, {{reinterpret_cast<const std::uint8_t*>(f.bytes->data()), f.bytes->size()}}});
    names.push_back(f.name);
  }
  if (!out.empty()) write_all_or_nothing(dir, out, replace_read_only);
  return names;
}

void tell_decompiled(const Arguments& args, const DecompiledFiles& files,
                     const std::vector<std::string>& written, const fs::path& dir) {
  if (args.flag("--quiet")) return;
  std::vector<std::string> kept;
  for (const DecompiledFile& f : files) {
    if (f.earlier == DecompiledFile::kSame) kept.push_back(f.name);
  }
  if (written.empty()) {
    std::cerr << "nothing was written: both descriptions already held these texts\n";
    return;
  }
  std::cerr << written_line(written, dir, false);
  for (std::size_t i = 0; i < kept.size(); ++i) std::cerr << (i == 0 ? " (" : ", ") << kept[i];
  std::cerr << (kept.empty() ? "\n" : " already up to date)\n");
}

}  // namespace tracciato
