#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// The values of one maximum-speed indicator board row: left-hand speeds and stripes,
// then right-hand ones (0 when the board has one side only).
struct SpeedBoard {
  std::int32_t position = 0;
  std::int32_t left_speed_a = 0, left_speed_b = 0, left_speed_c = 0, left_stripes = 0;
  std::int32_t right_speed_a = 0, right_speed_b = 0, right_speed_c = 0, right_stripes = 0;
};

// Places the board in cell position / 50 + 1; records 21 when the cell is taken.
void memo_indicatori_v_max(Scenario& scenario, const SpeedBoard& board);

}  // namespace tracciato
