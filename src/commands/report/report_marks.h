#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The attributes that make a mark countable in the drawing: class and data-kind `kind`,
// data-position the route position in metres.
std::vector<Attribute> mark_attributes(const char* kind, std::int32_t position);

// A route position as an author reads it: "4,050 m (km 135+618)", or "4,050 m" where no
// progressive governs it.
std::string place_text(const LineKilometres& k, std::int64_t position);

// Tooltip texts shared by the plan and the profile.
std::string slowdown_title(const SlowdownMark& s);
std::string error_title(std::int32_t position);
std::string station_title(const StationMark& s, const LineKilometres& k);
std::string signal_title(const SignalMark& s, const LineKilometres& k);
std::string signboard_title(const SignboardMark& b, const LineKilometres& k);
std::string curve_title(const CurveMark& c);

// The short text of a signal's values: "1: 4 1 0 | 1: 3 1 0".
std::string signal_values(const SignalMark& s);

// The characters of a UTF-8 text.
std::size_t utf8_length(std::string_view utf8);

}  // namespace tracciato
