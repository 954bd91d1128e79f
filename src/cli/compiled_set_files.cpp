#include "cli/compiled_set_files.h"

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

std::vector<std::uint8_t> read_bytes(const fs::path& file) {
  std::string why;
  auto input = InputFile::open(file, why);
  if (!input) throw file_failure("cannot read " + shown_path(file) + ": " + why);
  try {
    return input->read_all();
  } catch (const ReadError& error) {
    throw file_failure(shown_path(file) + ": offset " + std::to_string(error.offset()) + ": " +
                       error.what());
  }
}

// The file's bytes; a damaged file is a failure with status 1.
std::vector<std::uint8_t> undamaged_bytes(CompiledKind kind, const fs::path& file) {
  std::vector<std::uint8_t> bytes = read_bytes(file);
  if (const auto damage = find_damage(kind, bytes)) {
    throw Failure(ExitStatus::kError, shown_path(file) + ": offset " +
                                          std::to_string(damage->offset()) + ": " + damage->what());
  }
  return bytes;
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

Result<CompiledSetFiles> read_set_files(const std::string& sim) {
  const fs::path header = utf8_path(sim);
  const std::string name = shown_path(header.filename());
  const auto names = names_of_header_file(name);
  if (!names) return usage_failure("'" + sim + "' is not a header file NAME_NUMBER.sim");
  CompiledSetFiles files;
  files.dir = header.parent_path().empty() ? fs::path(".") : header.parent_path();
  files.names = *names;
  const fs::path cells =
      files.dir / utf8_path(cell_file_name(names->base_name, names->train_number));
  const fs::path geometry = files.dir / utf8_path(geometry_file_name(names->base_name));
  try {
    files.header = undamaged_bytes(CompiledKind::kHeader, header);
    files.cells = undamaged_bytes(CompiledKind::kCells, cells);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(geometry, ec)) || fs::exists(geometry, ec)) {
      files.geometry = undamaged_bytes(CompiledKind::kGeometry, geometry);
    }
  } catch (const Failure& failure) {
    return failure;
  }
  return files;
}

}  // namespace tracciato
