#include "compile/row_checks.h"

#include <string>

#include "model/error_codes.h"

namespace tracciato {

TrackCell* claim_cell(Scenario& scenario, std::int64_t i, std::int32_t code,
                      std::string_view cell_name, std::optional<std::int32_t> position,
                      const SourceLocation& at) {
  TrackCell& cell = scenario.cells.at(i);
  if (scenario.cells.is_free(i)) return &cell;
  std::string why = std::string(cell_name) + " " + std::to_string(i) + " already holds " +
                    cell_type_name(cell.cell_type);
  if (position) {
    scenario.errors.record_at(code, *position, std::move(why), at);
  } else {
    scenario.errors.record(code, std::move(why), at);
  }
  return nullptr;
}

void record_beyond_route(Scenario& scenario, const char* row, std::int32_t p,
                         const SourceLocation& at) {
  scenario.errors.record_at(error_code::kBeyondRoute, p,
                            std::string(row) + " at position " + std::to_string(p) +
                                " lies beyond the end of the track cell array (last cell " +
                                std::to_string(scenario.cells.last_index()) + ")",
                            at);
}

}  // namespace tracciato
