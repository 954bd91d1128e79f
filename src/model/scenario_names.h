#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

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

}  // namespace tracciato
