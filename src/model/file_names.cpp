#include "model/file_names.h"

#include "base/cp1252.h"
#include "base/utf8_path.h"
#include "model/scenario_header.h"

namespace tracciato {

namespace {

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";
constexpr std::string_view kGeometrySuffix = "_linea.dat";
constexpr std::string_view kHeaderSuffix = ".sim";
constexpr std::string_view kCellSuffix = ".dat";

std::string train_file(const ScenarioNames& n, std::string_view suffix) {
  return n.base_name + "_" + n.train_number + std::string(suffix);
}

// A name is stored as a header record's text, in Windows-1252; nothing when it fits.
std::optional<std::string> too_long_for_the_header(const std::string& name, const char* what) {
  const std::size_t bytes = utf8_to_cp1252(name).size();
  if (bytes <= kLongestRecordText) return std::nullopt;
  return std::string("the ") + what + " is " + std::to_string(bytes) +
         " bytes long; the header holds " + std::to_string(kLongestRecordText) + " at most";
}

// A name goes into file names, so it must stay a plain name.
bool plain(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos;
}

std::optional<std::string> derive_base(const std::filesystem::path& line) {
  const std::string file = shown_path(line.filename());
  if (!file.ends_with(kLineSuffix) || file.size() == kLineSuffix.size()) return std::nullopt;
  return file.substr(0, file.size() - kLineSuffix.size());
}

std::optional<std::string> derive_number(const std::filesystem::path& train,
                                         const std::string& base) {
  const std::string file = shown_path(train.filename());
  const std::string prefix = base + "_";
  if (!file.starts_with(prefix) || !file.ends_with(kTrainSuffix) ||
      file.size() <= prefix.size() + kTrainSuffix.size()) {
    return std::nullopt;
  }
  return file.substr(prefix.size(), file.size() - prefix.size() - kTrainSuffix.size());
}

}  // namespace

std::optional<ScenarioNames> resolve_names(const std::filesystem::path& line,
                                           const std::filesystem::path& train,
                                           const std::optional<std::string>& base,
                                           const std::optional<std::string>& number,
                                           std::string& problem) {
  const std::optional<std::string> name = base ? base : derive_base(line);
  if (!name) {
    problem = "cannot take the base name from '" + shown_path(line) +
              "' (expected NAME_linea.txt): give --base NAME";
    return std::nullopt;
  }
  if (!plain(*name)) {
    problem = "the base name '" + *name + "' is not a plain file name";
    return std::nullopt;
  }
  if (const auto too_long = too_long_for_the_header(*name, "base name")) {
    problem = *too_long;
    return std::nullopt;
  }
  const std::optional<std::string> train_number = number ? number : derive_number(train, *name);
  if (!train_number) {
    problem = "cannot take the train number from '" + shown_path(train) + "' (expected " + *name +
              "_NUMBER-.txt): give --train NUMBER";
    return std::nullopt;
  }
  if (!plain(*train_number)) {
    problem = "the train number '" + *train_number + "' is not a plain file name";
    return std::nullopt;
  }
  if (const auto too_long = too_long_for_the_header(*train_number, "train number")) {
    problem = *too_long;
    return std::nullopt;
  }
  if (*train_number == "linea") {
    problem = "the train number 'linea' would give the cell file the geometry file's name";
    return std::nullopt;
  }
  return ScenarioNames{*name, *train_number};
}

std::string line_description_name(const std::string& base_name) {
  return base_name + std::string(kLineSuffix);
}

std::string train_description_name(const std::string& base_name, const std::string& train_number) {
  return train_file({base_name, train_number}, kTrainSuffix);
}

std::optional<DescriptionName> description_name(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::string name(separator == std::string_view::npos ? path : path.substr(separator + 1));
  if (name.ends_with(kLineSuffix) && name.size() > kLineSuffix.size()) {
    return DescriptionName{DescriptionKind::kLine,
                           {name.substr(0, name.size() - kLineSuffix.size()), ""}};
  }
  if (!name.ends_with(kTrainSuffix)) return std::nullopt;
  const std::string stem = name.substr(0, name.size() - kTrainSuffix.size());
  const std::size_t underscore = stem.rfind('_');
  if (underscore == std::string::npos || underscore == 0 || underscore + 1 == stem.size())
    return std::nullopt;
  return DescriptionName{DescriptionKind::kTrain,
                         {stem.substr(0, underscore), stem.substr(underscore + 1)}};
}

std::string geometry_file_name(const std::string& base_name) {
  return base_name + std::string(kGeometrySuffix);
}

std::string header_file_name(const std::string& base_name, const std::string& train_number) {
  return train_file({base_name, train_number}, kHeaderSuffix);
}

std::string cell_file_name(const std::string& base_name, const std::string& train_number) {
  return train_file({base_name, train_number}, kCellSuffix);
}

std::string notes_name(const ScenarioNames& names) {
  return train_file(names, "_note.txt");
}

std::string slowdown_order_name(const ScenarioNames& names) {
  return train_file(names, "_rallentamenti.txt");
}

std::string timetable_card_name(const ScenarioNames& names) {
  return train_file(names, "_scheda_treno.txt");
}

std::optional<CompiledKind> compiled_kind_from_name(const std::filesystem::path& file) {
  const std::string name = shown_path(file.filename());
  if (name.ends_with(kGeometrySuffix)) return CompiledKind::kGeometry;
  if (name.ends_with(kHeaderSuffix)) return CompiledKind::kHeader;
  if (name.ends_with(kCellSuffix)) return CompiledKind::kCells;
  return std::nullopt;
}

}  // namespace tracciato
