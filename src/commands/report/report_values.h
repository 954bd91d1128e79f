#pragma once

#include <cstdint>
#include <vector>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// A stretch over which the line's kilometre runs evenly: from route metres `start` it is
// `value` and changes by `direction` (1 up, -1 down) per metre; 0 where no progressive
// governs and there is no kilometre.
struct KilometreRun {
  std::int32_t start = 0;
  std::int64_t value = 0;
  int direction = 0;
};

// The runs of [0, end], found at every 50 m: the progressives start on that grid.
std::vector<KilometreRun> kilometre_runs(const LineKilometres& k, std::int32_t end);

// What the page's script reads the profile from when pointed at, as JSON in a
// script#profile-values element: the end, the speed limit and gradient stretches as
// start and value pairs with the last end, and the kilometre runs.
void write_profile_values(SvgWriter& html, const ReportContent& c, std::int32_t end);

}  // namespace tracciato
