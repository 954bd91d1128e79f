#include "compile/train/signal_recorder.h"

#include <string>

#include "base/rounding.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {
constexpr std::int32_t kShortestTime = 101;
constexpr std::int32_t kTimedAspect = 2;
}  // namespace

void memo_segnale(Scenario& scenario, SignalRow& r) {
  const std::int64_t s = point_cell(r.posizione);
  TrackCell& cell = scenario.cells.at(s);
  if (!scenario.cells.is_free(s)) {
    scenario.errors.record(error_code::kSignalCellTaken, "the signal's cell " + std::to_string(s) +
                                                             " already holds " +
                                                             cell_type_name(cell.cell_type));
    return;
  }
  const std::int64_t sides = std::int64_t{r.sx} * 3 + r.dx;
  cell.cell_type = cell_type::kSignal;
  cell.cell_value_4 = low16(std::int64_t{r.rapp} * 10 + sides);
  cell.cell_value = low16(std::int64_t{r.s1} * 10 + r.d1);
  cell.cell_value_2 = low16(std::int64_t{r.s2} * 10 + r.d2);
  cell.cell_value_3 = low16(std::int64_t{r.s3} * 10 + r.d3);
  if (r.tempo >= 1 && r.tempo <= 100) r.tempo = kShortestTime;
  cell.cell_timer = r.sx == kTimedAspect ? low8(r.tempo) : 0;
  for (std::int64_t k = 1; k <= 4; ++k) {
    scenario.cells.at(s - 2 * k).cell_approach_mark = low8(sides * 10 + k);
  }
}

}  // namespace tracciato
