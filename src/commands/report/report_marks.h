#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The attributes that make a mark countable in the drawing: class and data-kind `kind`,
// data-position the route position in metres.
std::vector<Attribute> mark_attributes(const char* kind, std::int32_t position);

// Tooltip texts shared by the plan and the profile.
std::string slowdown_title(const SlowdownMark& s);
std::string error_title(std::int32_t position);

}  // namespace tracciato
