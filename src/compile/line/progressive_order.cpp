#include "compile/line/progressive_order.h"

#include <array>
#include <cstdint>

#include "base/rounding.h"
#include "model/header_records.h"
#include "model/positions.h"

namespace tracciato {

namespace {

struct Progressive {
  std::int32_t start = 0, value = 0, flag = 0;
};

Progressive take(const HeaderRecord& r) {
  const ProgressiveView view(r);
  return {view.start, view.kilometric_value, view.direction_flag};
}

void put(HeaderRecord& r, const Progressive& p) {
  const ProgressiveView view(r);
  view.start = p.start;
  view.kilometric_value = p.value;
  view.direction_flag = p.flag;
}

// Records 81, 82, 83 in that order.
std::array<Progressive, 3> order_by_start(const Progressive& t, const Progressive& d,
                                          const Progressive& u) {
  if (t.start > d.start && t.start > u.start) {
    return d.start > u.start ? std::array{t, d, u} : std::array{t, u, d};
  }
  if (d.start > t.start && d.start > u.start) {
    return t.start > u.start ? std::array{d, t, u} : std::array{d, u, t};
  }
  if (u.start > t.start && u.start > d.start) {
    return t.start > d.start ? std::array{u, t, d} : std::array{u, d, t};
  }
  return {};
}

std::array<Progressive, 3> order_by_value(const Progressive& t, const Progressive& d,
                                          const Progressive& u) {
  if (u.value > 0) return {u, d, t};
  if (d.value > 0) return {d, t, u};
  if (t.value > 0) return {t, d, u};
  return {};
}

}  // namespace

void progressive_ordina(ScenarioHeader& header) {
  const Progressive t = take(header.at(header_index::kProgressiveTre));
  const Progressive d = take(header.at(header_index::kProgressiveDue));
  const Progressive u = take(header.at(header_index::kProgressiveUno));
  const std::int64_t starts = std::int64_t{t.start} + d.start + u.start;
  std::array<Progressive, 3> ordered =
      starts != 0 ? order_by_start(t, d, u) : order_by_value(t, d, u);
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    if (ordered[i].flag == 1) {
      ordered[i].value = checked_narrow<std::int32_t>(
          std::int64_t{ordered[i].value} + kDecreasingValueShift, "kilometric value");
    }
    put(header.at(header_index::kProgressives[i]), ordered[i]);
  }
}

}  // namespace tracciato
