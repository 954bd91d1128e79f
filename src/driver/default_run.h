#pragma once

#include <filesystem>

#include "driver/embedded_scenario.h"
#include "driver/face.h"

namespace tracciato {

// Writes the scenario's two descriptions and three documents into `dir`.
// Throws FileError.
void write_sources(const EmbeddedScenario& scenario, const std::filesystem::path& dir);

// The whole build of the embedded scenario in `dir`: the face shown, sources, compile
// (which deletes the temporary descriptions), compiled files. Returns the exit status:
// 0, 1 for a compile error, 3 for a file that cannot be written.
int default_run(const EmbeddedScenario& scenario, const std::filesystem::path& dir, Face& face);

}  // namespace tracciato
