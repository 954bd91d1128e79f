#pragma once

#include <vector>

#include "cli/findings.h"
#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// What the page lists: the first thousand findings, in the order met; the rest are
// counted.
Retention report_retention();

// The findings that name a route position, to mark on the plan and the profile.
std::vector<FindingMark> finding_marks(const FindingList& findings);

// The findings as a list (ol#findings, one li per finding with its data-severity and,
// where it names one, data-position), errors and warnings counted above it and those not
// listed counted below it.
void write_findings(SvgWriter& html, const FindingList& findings, const LineKilometres& k);

}  // namespace tracciato
