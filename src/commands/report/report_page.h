#pragma once

#include <string>

#include "model/scenario.h"

namespace tracciato {

// The report of a compiled, or partly compiled, scenario as one self-contained HTML page
// (inline SVG and CSS, no script, nothing loaded from elsewhere): a summary, the compile
// error when there is one, the plan, the profile and the timetable.
std::string report_page(const Scenario& s);

}  // namespace tracciato
