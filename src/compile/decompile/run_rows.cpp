#include "compile/decompile/run_rows.h"

#include <algorithm>

namespace tracciato {

std::vector<RunRow> run_rows(const std::vector<std::uint8_t>& stored) {
  std::vector<RunRow> rows;
  const auto cells = static_cast<std::int64_t>(stored.size());
  if (cells == 0) return rows;
  // Cells 0 to P - 3 are always filled; after them, up to the last that holds a value.
  const std::int64_t tail = std::max<std::int64_t>(cells - 3, 1);
  std::int64_t filled = tail;
  for (std::int64_t i = cells - 1; i >= tail; --i) {
    if (stored[static_cast<std::size_t>(i)] != 0) {
      filled = i + 1;
      break;
    }
  }
  rows.push_back({0, stored[0]});
  for (std::int64_t i = 1; i < tail; ++i) {
    if (stored[static_cast<std::size_t>(i)] != stored[static_cast<std::size_t>(i - 1)]) {
      rows.push_back({i, stored[static_cast<std::size_t>(i)]});
    }
  }
  for (std::int64_t i = tail; i < filled; ++i) {
    rows.push_back({tail, stored[static_cast<std::size_t>(i)]});
  }
  return rows;
}

}  // namespace tracciato
