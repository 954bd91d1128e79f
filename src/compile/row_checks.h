#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/scenario.h"

namespace tracciato {

// What the rows of both descriptions check alike.

// The cell an object goes into, when it is free. Otherwise records `code` with why
// ("the signal's cell 2087 already holds a speed board"), with the row's `position` when
// given, and gives nothing.
TrackCell* claim_cell(Scenario& scenario, std::int64_t i, std::int32_t code,
                      std::string_view cell_name, std::optional<std::int32_t> position = {},
                      const SourceLocation& at = {});

// Records 15 for a row whose object lies past the last cell.
void record_beyond_route(Scenario& scenario, const char* row, std::int32_t p,
                         const SourceLocation& at);

}  // namespace tracciato
