#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// The six values of a slowdown row: start, speed (km/h), length (m) and the options.
struct SlowdownRow {
  std::int32_t x = 0, v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
};

// A slowdown's warning cell stands this far before its start.
inline constexpr std::int64_t kSlowdownWarningDistance = 1200;

// Places the warning, start, end and advance cells of a slowdown. Records 17 to 20 when
// a cell it needs is taken.
void memo_rallentamento(Scenario& scenario, const SlowdownRow& row);

}  // namespace tracciato
