#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// Records a mountain stretch over cells start / 50 to end / 50 - 1. A `kind` above 10
// asks for a mountain marker every fourth cell and stores `kind` - 10; a stretch that
// starts within 150 m of the previous one's end is stored as kind 3.
void memo_montagna(Scenario& scenario, std::int32_t start, std::int32_t end, std::int32_t kind);

}  // namespace tracciato
