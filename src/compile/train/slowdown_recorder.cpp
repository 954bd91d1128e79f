#include "compile/train/slowdown_recorder.h"

#include <string>

#include "base/rounding.h"
#include "compile/row_checks.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {

constexpr std::int32_t kWarnedBeyond = 1500;

// The slowdown's cells as an author knows them.
enum class Part { kWarning, kStart, kEnd, kAdvance };

std::string part_of(const Scenario& scenario, const SlowdownRow& r, Part part) {
  std::string slowdown = "the slowdown at " + route_place(scenario, r.x);
  switch (part) {
    case Part::kWarning:
      return "the warning point of " + slowdown + ", 1,200 m before it,";
    case Part::kStart:
      return slowdown;
    case Part::kEnd:
      return "the end of " + slowdown + ", " + metres(r.l) + " on,";
    case Part::kAdvance:
      break;
  }
  return "an advance cell of " + slowdown + ", just before its warning point,";
}

bool refuse_if_taken(Scenario& scenario, const SlowdownRow& r, std::int64_t i, std::int32_t code,
                     Part part) {
  return claim_cell(scenario, i, code, [&] { return part_of(scenario, r, part); }) == nullptr;
}

void place(Scenario& scenario, std::int64_t i, std::uint8_t type, const SlowdownRow& r) {
  TrackCell& cell = scenario.cells.at(i);
  cell.cell_type = type;
  if (r.d_v != 0) cell.cell_value_2 = low16(r.d_v);
  scenario.origins.placed(i);
}

}  // namespace

void memo_rallentamento(Scenario& scenario, const SlowdownRow& r) {
  const bool warned = r.x > kWarnedBeyond;
  const bool advance = warned && r.f_ta != 0;
  const std::int64_t w = warned ? point_cell(r.x - kSlowdownWarningDistance) : 0;
  if (warned && refuse_if_taken(scenario, r, w, error_code::kWarningCellTaken, Part::kWarning)) {
    return;
  }
  const std::int64_t a = point_cell(r.x);
  if (refuse_if_taken(scenario, r, a, error_code::kSlowdownStartTaken, Part::kStart)) return;
  const std::int64_t e = point_cell(std::int64_t{r.x} + r.l);
  if (refuse_if_taken(scenario, r, e, error_code::kSlowdownEndTaken, Part::kEnd)) return;
  TrackCellArray& cells = scenario.cells;
  place(scenario, e, cell_type::kSlowdownEnd, r);
  place(scenario, a, cell_type::kSlowdownStart, r);
  if (warned) {
    place(scenario, w, cell_type::kSlowdownWarning, r);
    cells.at(w).cell_value = low16(r.v);
  }
  cells.at(a).cell_value = low16(r.v);
  cells.at(e).cell_value = low16(r.v);
  cells.at(a).cell_value_3 = low16(r.f_tt);
  cells.at(e).cell_value_3 = low16(r.f_tt);
  if (!advance) return;
  const std::int64_t b = run_cell(std::int64_t{r.x} - kSlowdownWarningDistance);
  for (std::int64_t i = 0; i < 4; ++i) {
    if (refuse_if_taken(scenario, r, b - i, error_code::kAdvanceCellTaken, Part::kAdvance)) {
      return;
    }
  }
  for (std::int64_t i = 0; i < 4; ++i) {
    TrackCell& cell = cells.at(b - i);
    cell.cell_type = cell_type::kSlowdownAdvance;
    cell.cell_value = low16(i + 1);
    if (r.d_v != 0) cell.cell_value_2 = low16(i + 1);
    scenario.origins.placed(b - i);
  }
}

}  // namespace tracciato
