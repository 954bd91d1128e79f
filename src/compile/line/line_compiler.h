#pragma once

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace tracciato {

// Whether the train description is compiled after the line description.
enum class PhaseOutcome { kContinue, kStop };

// Compiles the line description `text` (named `path` in diagnostics) into the scenario:
// sizes the cell array and geometry table, stores the general values, fills the gradients,
// integrates the curves and places mountains, boards and signboards. Records its codes in
// scenario.errors; a range failure (15) still continues. Unexpected failures are thrown.
PhaseOutcome compile_line(Scenario& scenario, std::string_view text, const std::string& path);

}  // namespace tracciato
