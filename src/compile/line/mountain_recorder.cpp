#include "compile/line/mountain_recorder.h"

#include "base/rounding.h"
#include "model/positions.h"

namespace tracciato {

namespace {
constexpr std::int32_t kMarkerOffset = 10;
constexpr std::int32_t kCloseStretchKind = 3;
constexpr std::int64_t kCloseStretchGap = 150;
}  // namespace

void memo_montagna(Scenario& scenario, std::int32_t start, std::int32_t end, std::int32_t kind) {
  bool markers = false;
  if (kind > kMarkerOffset) {
    kind -= kMarkerOffset;
    markers = true;
  }
  MountainTable& m = scenario.mountains;
  const std::int32_t n = m.mountain_count + 1;
  if (n > MountainTable::kLastEntry) {
    throw UnexpectedFailure("this is mountain stretch " + std::to_string(n) +
                            ", and a scenario holds at most 80");
  }
  m.mountain_count = n;
  m.mountain_starts[n] = start;
  m.mountain_ends[n] = end;
  if (n > 1 && std::int64_t{start} - m.mountain_ends[n - 1] <= kCloseStretchGap) {
    kind = kCloseStretchKind;
  }
  const std::int64_t first = run_cell(start);
  const auto last =
      round_to<std::int64_t>(static_cast<double>(end) / kCellLength - 1, "cell index");
  for (std::int64_t i = first, count = 1; i <= last; ++i, ++count) {
    TrackCell& cell = scenario.cells.at(i);
    cell.cell_mountain = low8(kind);
    if (markers && count % 4 == 0 && cell.cell_type == cell_type::kNothing) {
      cell.cell_type = cell_type::kMountainMarker;
    }
  }
}

}  // namespace tracciato
