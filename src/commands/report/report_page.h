#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/findings.h"
#include "model/scenario.h"

namespace tracciato {

// The report of a compiled, or partly compiled, scenario as one self-contained HTML page
// (inline SVG, style and script, nothing loaded from elsewhere), written on to `out` as it
// is made: a summary, the compile error when there is one, the checker's findings, the
// plan and the profile (zoomable by the script, readable without it), the profile split
// into printed pages, and the timetable.
// `drawn_from`, when given, says under the summary where the scenario came from.
void write_report_page(std::ostream& out, const Scenario& s, const FindingList& findings,
                       std::string_view drawn_from = {});

// The same page as a string.
std::string report_page(const Scenario& s, const FindingList& findings = FindingList(false),
                        std::string_view drawn_from = {});

}  // namespace tracciato
