#include "compile/line/speed_board_recorder.h"

#include <string>

#include "base/rounding.h"
#include "compile/row_checks.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {
std::int16_t board_speed(std::int32_t left, std::int32_t right) {
  const double value =
      static_cast<double>(std::int64_t{20} * left) + static_cast<double>(right) / 5;
  return round_to<std::int16_t>(value, "a board speed value");
}
}  // namespace

void memo_indicatori_v_max(Scenario& scenario, const SpeedBoard& b) {
  const std::int64_t i = point_cell(b.position);
  TrackCell* const claimed = claim_cell(scenario, i, error_code::kBoardCellTaken, [&] {
    return "the speed board at " + route_place(scenario, b.position);
  });
  if (claimed == nullptr) return;
  TrackCell& cell = *claimed;
  cell.cell_type = cell_type::kSpeedBoard;
  cell.cell_value = board_speed(b.left_speed_a, b.right_speed_a);
  cell.cell_value_2 = board_speed(b.left_speed_b, b.right_speed_b);
  cell.cell_value_3 = board_speed(b.left_speed_c, b.right_speed_c);
  cell.cell_value_4 = low16(std::int64_t{low16(b.left_stripes)} * 10 + low16(b.right_stripes));
  scenario.origins.placed(i);
}

}  // namespace tracciato
