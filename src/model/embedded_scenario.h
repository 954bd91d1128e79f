#pragma once

#include <string_view>

namespace tracciato {

// The scenario a build carries: its two start values and the texts of the two
// descriptions and three driver documents (UTF-8, one line per LF).
struct EmbeddedScenario {
  std::string_view base_name;
  std::string_view train_number;
  std::string_view line;
  std::string_view train;
  std::string_view notes;
  std::string_view slowdown_order;
  std::string_view timetable_card;
};

// Defined by the scenario's generated source, linked into each program.
const EmbeddedScenario& embedded_scenario();

}  // namespace tracciato
