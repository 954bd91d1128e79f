#pragma once

#include <span>
#include <string>

#include "driver/embedded_scenario.h"

namespace tracciato {

// tracciato check LINE TRAIN [--base NAME] [--train NUMBER] [--no-geometry]
//                 [--format text|json]
// tracciato check [--no-geometry] [--format text|json]   (the embedded scenario)
// Lists every problem of the descriptions and writes no file. Returns 1 when there is an
// error, 0 otherwise, 2 for a usage error, 3 when a description cannot be read.
int check_command(std::span<const std::string> words, const EmbeddedScenario& scenario);

}  // namespace tracciato
