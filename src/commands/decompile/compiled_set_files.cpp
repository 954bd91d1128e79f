#include "commands/decompile/compiled_set_files.h"

#include "base/utf8_path.h"
#include "format/dump_decoder.h"
#include "platform/input_file.h"

namespace tracciato {

namespace {

namespace fs = std::filesystem;

// NAME_NUMBER.sim: NAME takes every underscore before NUMBER, which holds none.
std::optional<ScenarioNames> names_of_header_file(const std::string& file) {
  const std::string suffix = ".sim";
  if (file.size() <= suffix.size() ||
      file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return std::nullopt;
  }
  const std::string stem = file.substr(0, file.size() - suffix.size());
  const std::size_t underscore = stem.rfind('_');
  if (underscore == std::string::npos || underscore == 0) return std::nullopt;
  return ScenarioNames{stem.substr(0, underscore), stem.substr(underscore + 1)};
}

std::optional<std::vector<std::uint8_t>> read_bytes(const fs::path& file, SetProblem& problem) {
  std::string why;
  auto input = InputFile::open(file, why);
  if (!input) {
    problem = {"cannot read " + shown_path(file) + ": " + why, ExitStatus::kFileProblem};
    return std::nullopt;
  }
  try {
    return input->read_all();
  } catch (const ReadError& error) {
    problem = {
        shown_path(file) + ": offset " + std::to_string(error.offset()) + ": " + error.what(),
        ExitStatus::kFileProblem};
    return std::nullopt;
  }
}

bool undamaged(CompiledKind kind, const fs::path& file, const std::vector<std::uint8_t>& bytes,
               SetProblem& problem) {
  const auto damage = find_damage(kind, bytes);
  if (!damage) return true;
  problem = {
      shown_path(file) + ": offset " + std::to_string(damage->offset()) + ": " + damage->what(),
      ExitStatus::kError};
  return false;
}

}  // namespace

CompiledSet CompiledSetFiles::set() const {
  CompiledSet s{header, cells, std::nullopt};
  if (geometry) s.geometry = std::span<const std::uint8_t>(*geometry);
  return s;
}

std::string set_file_names(const ScenarioNames& n, bool geometry) {
  std::string text = header_file_name(n.base_name, n.train_number) + ", " +
                     cell_file_name(n.base_name, n.train_number);
  if (geometry) text += " and " + geometry_file_name(n.base_name);
  return text;
}

std::optional<CompiledSetFiles> read_set_files(const std::string& sim, SetProblem& problem) {
  const fs::path header = utf8_path(sim);
  const std::string name = shown_path(header.filename());
  const auto names = names_of_header_file(name);
  if (!names) {
    problem = {"'" + sim + "' is not a header file NAME_NUMBER.sim", ExitStatus::kUsage};
    return std::nullopt;
  }
  CompiledSetFiles files;
  files.dir = header.parent_path().empty() ? fs::path(".") : header.parent_path();
  files.names = *names;
  const fs::path cells =
      files.dir / utf8_path(cell_file_name(names->base_name, names->train_number));
  const fs::path geometry = files.dir / utf8_path(geometry_file_name(names->base_name));
  auto header_bytes = read_bytes(header, problem);
  if (!header_bytes || !undamaged(CompiledKind::kHeader, header, *header_bytes, problem)) {
    return std::nullopt;
  }
  auto cell_bytes = read_bytes(cells, problem);
  if (!cell_bytes || !undamaged(CompiledKind::kCells, cells, *cell_bytes, problem)) {
    return std::nullopt;
  }
  files.header = std::move(*header_bytes);
  files.cells = std::move(*cell_bytes);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(geometry, ec)) || fs::exists(geometry, ec)) {
    auto geometry_bytes = read_bytes(geometry, problem);
    if (!geometry_bytes ||
        !undamaged(CompiledKind::kGeometry, geometry, *geometry_bytes, problem)) {
      return std::nullopt;
    }
    files.geometry = std::move(*geometry_bytes);
  }
  return files;
}

}  // namespace tracciato
