#pragma once

#include <filesystem>

#include "model/embedded_scenario.h"

namespace tracciato {

// Writes the scenario's two descriptions and three driver documents into `dir`: what
// the default run writes before it compiles, and all that export writes.
// Throws FileError.
void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir);

}  // namespace tracciato
