#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/embedded_scenario.h"

namespace tracciato {

// One text of the scenario: the name of its file and its UTF-8 text.
struct ScenarioText {
  std::string name;
  std::string_view utf8;
};

// The two descriptions and the three driver documents, in the order they are written.
std::vector<ScenarioText> scenario_texts(const EmbeddedScenario& scenario);

// Writes the scenario's two descriptions and three driver documents into `dir`: what
// the default run writes before it compiles, and all that export writes.
// Throws FileError.
void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir);

}  // namespace tracciato
