#pragma once

#include <span>
#include <string>

#include "driver/embedded_scenario.h"

namespace tracciato {

// The command line of the program built for `scenario`; returns the exit status.
int run_program(std::span<const std::string> words, const EmbeddedScenario& scenario);

}  // namespace tracciato
