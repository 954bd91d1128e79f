#pragma once

#include "model/scenario_header.h"

namespace tracciato {

// Orders the kilometric progressives in records 81 to 83 (latest start first) and moves
// the kilometric value of every decreasing progressive 100 m on.
void progressive_ordina(ScenarioHeader& header);

}  // namespace tracciato
