#include "compile/train/signal_recorder.h"

#include <string>

#include "base/rounding.h"
#include "compile/row_checks.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {
constexpr std::int32_t kShortestTime = 101;
constexpr std::int32_t kTimedAspect = 2;
}  // namespace

void memo_segnale(Scenario& scenario, const SignalRow& r) {
  const std::int64_t s = point_cell(r.posizione);
  TrackCell* const claimed = claim_cell(scenario, s, error_code::kSignalCellTaken, [&] {
    return "the signal at " + route_place(scenario, r.posizione);
  });
  if (claimed == nullptr) return;
  TrackCell& cell = *claimed;
  const std::int64_t sides = std::int64_t{r.sx} * 3 + r.dx;
  cell.cell_type = cell_type::kSignal;
  cell.cell_value_4 = low16(std::int64_t{r.rapp} * 10 + sides);
  cell.cell_value = low16(std::int64_t{r.s1} * 10 + r.d1);
  cell.cell_value_2 = low16(std::int64_t{r.s2} * 10 + r.d2);
  cell.cell_value_3 = low16(std::int64_t{r.s3} * 10 + r.d3);
  const std::int32_t tempo = r.tempo >= 1 && r.tempo <= 100 ? kShortestTime : r.tempo;
  cell.cell_timer = r.sx == kTimedAspect ? low8(tempo) : 0;
  scenario.origins.placed(s);
  for (std::int64_t k = 1; k <= 4; ++k) {
    scenario.cells.at(s - 2 * k).cell_approach_mark = low8(sides * 10 + k);
    scenario.origins.marked(s - 2 * k);
  }
}

}  // namespace tracciato
