#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// Records a mountain stretch over cells inizio / 50 to fine / 50 - 1. A `tipo` above 10
// asks for a mountain marker every fourth cell and stores `tipo` - 10; a stretch that
// starts within 150 m of the previous one's end is stored as kind 3.
void memo_montagna(Scenario& scenario, std::int32_t inizio, std::int32_t fine, std::int32_t tipo);

}  // namespace tracciato
