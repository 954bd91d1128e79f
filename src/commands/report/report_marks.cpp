#include "commands/report/report_marks.h"

namespace tracciato {

std::vector<Attribute> mark_attributes(const char* kind, std::int32_t position) {
  return {{"class", kind}, {"data-kind", kind}, {"data-position", std::to_string(position)}};
}

std::string slowdown_title(const SlowdownMark& s) {
  return "slowdown " + std::to_string(s.speed) + " km/h, " + std::to_string(s.start) + " to " +
         std::to_string(s.end) + " m";
}

std::string error_title(std::int32_t position) {
  return "error position, " + std::to_string(position) + " m";
}

}  // namespace tracciato
