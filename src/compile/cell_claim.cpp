#include "compile/cell_claim.h"

#include <string>

namespace tracciato {

TrackCell* claim_cell(Scenario& scenario, std::int64_t i, std::int32_t code,
                      std::string_view cell_name, std::optional<std::int32_t> position) {
  TrackCell& cell = scenario.cells.at(i);
  if (scenario.cells.is_free(i)) return &cell;
  std::string why = std::string(cell_name) + " " + std::to_string(i) + " already holds " +
                    cell_type_name(cell.cell_type);
  if (position) {
    scenario.errors.record_at(code, *position, std::move(why));
  } else {
    scenario.errors.record(code, std::move(why));
  }
  return nullptr;
}

}  // namespace tracciato
