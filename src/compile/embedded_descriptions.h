#pragma once

#include <string>

#include "compile/description.h"
#include "model/embedded_scenario.h"

namespace tracciato {

// The embedded descriptions held in memory, byte for byte as the default run writes them
// and under the names it gives them.
struct EmbeddedDescriptions {
  MemoryDescription line;
  MemoryDescription train;
  std::string base_name;
  std::string train_number;
};

EmbeddedDescriptions embedded_descriptions(const EmbeddedScenario& scenario);

}  // namespace tracciato
