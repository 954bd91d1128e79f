#pragma once

#include <string>

#include "compile/description.h"
#include "model/embedded_scenario.h"
#include "model/file_names.h"

namespace tracciato {

// The embedded descriptions held in memory, byte for byte as the default run writes them
// and under the names it gives them.
struct EmbeddedDescriptions {
  MemoryDescription line;
  MemoryDescription train;
  ScenarioNames names;
};

EmbeddedDescriptions embedded_descriptions(const EmbeddedScenario& scenario);

}  // namespace tracciato
