#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// The values of one maximum-speed indicator board row: left-hand speeds and stripes,
// then right-hand ones (0 when the board has one side only).
struct SpeedBoard {
  std::int32_t posizione = 0;
  std::int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  std::int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// Places the board in cell posizione / 50 + 1; records 21 when the cell is taken.
void memo_indicatori_v_max(Scenario& scenario, const SpeedBoard& board);

}  // namespace tracciato
