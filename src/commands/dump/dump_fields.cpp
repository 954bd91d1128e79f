#include "commands/dump/dump_fields.h"

#include <array>
#include <charconv>

namespace tracciato {

bool holds_object(const TrackCell& c) {
  return c.cell_type != 0 || c.cell_value != 0 || c.cell_value_2 != 0 || c.cell_value_3 != 0 ||
         c.cell_value_4 != 0 || c.cell_timer != 0 || c.cell_approach_mark != 0 ||
         c.cell_mountain != 0;
}

std::string shortest_number(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return {buffer.data(), result.ptr};
}

}  // namespace tracciato
