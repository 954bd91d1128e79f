#pragma once

#include <cstdint>
#include <string>

#include "model/scenario.h"

namespace tracciato {

// Train number then base name, lower-cased, then the filler; only 25 characters count.
std::string code_string(const ScenarioHeader& header);
std::int16_t codice_gara_og(const ScenarioHeader& header);
std::int32_t codice_gara_st(const ScenarioHeader& header);

// Puts the format stamps and the two competition codes into their reserved slots.
// Refuses (1250, 1251) when a slot already holds something.
void stamp_header(Scenario& scenario);

// Why the format stamp (1250) or the competition code (1251) cannot go into track cell 1.
std::string stamp_refusal(const TrackCell& first, std::int32_t code);

}  // namespace tracciato
