#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tracciato {

// Every file name the program gives or reads, made here and nowhere else.

struct ScenarioNames {
  std::string base_name;
  std::string train_number;
};

// The base name and train number of a build: given, or taken from the description file
// names NAME_linea.txt and NAME_NUMBER-.txt. Returns the usage problem in `problem`.
std::optional<ScenarioNames> resolve_names(const std::filesystem::path& line,
                                           const std::filesystem::path& train,
                                           const std::optional<std::string>& base,
                                           const std::optional<std::string>& number,
                                           std::string& problem);

// The descriptions: NAME_linea.txt and NAME_NUMBER-.txt.
std::string line_description_name(const std::string& base_name);
std::string train_description_name(const std::string& base_name, const std::string& train_number);

enum class DescriptionKind { kLine, kTrain };

// What a file name says a description is: NAME_linea.txt or NAME_NUMBER-.txt.
struct DescriptionName {
  DescriptionKind kind = DescriptionKind::kLine;
  ScenarioNames names;  // train_number empty for a line
};

// The description a path's file name names (folders before it, with either separator,
// are left out); nothing for a name of no description. A train's NUMBER holds no
// underscore, so NAME takes every underscore before it.
std::optional<DescriptionName> description_name(std::string_view path);

// The compiled files: NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat.
std::string geometry_file_name(const std::string& base_name);
std::string header_file_name(const std::string& base_name, const std::string& train_number);
std::string cell_file_name(const std::string& base_name, const std::string& train_number);

// The driver documents: NAME_NUMBER_note.txt, ..._rallentamenti.txt, ..._scheda_treno.txt.
std::string notes_name(const ScenarioNames& names);
std::string slowdown_order_name(const ScenarioNames& names);
std::string timetable_card_name(const ScenarioNames& names);

enum class CompiledKind { kHeader, kCells, kGeometry };

// The kind of compiled file a name promises; nothing for a name of no compiled file.
std::optional<CompiledKind> compiled_kind_from_name(const std::filesystem::path& file);

}  // namespace tracciato
