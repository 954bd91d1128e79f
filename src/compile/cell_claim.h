#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/scenario.h"

namespace tracciato {

// The cell an object goes into, when it is free. Otherwise records `code` with why
// ("the signal's cell 2087 already holds a speed board"), at `position` when given, and
// gives nothing.
TrackCell* claim_cell(Scenario& scenario, std::int64_t i, std::int32_t code,
                      std::string_view cell_name, std::optional<std::int32_t> position = {});

}  // namespace tracciato
