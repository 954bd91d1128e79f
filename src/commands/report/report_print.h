#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The route metres one printed page of the profile shows.
inline constexpr std::int32_t kPrintSpan = 10000;

struct PrintSpan {
  std::int32_t from = 0;
  std::int32_t to = 0;
};

// The pages' spans: [0, end] in kPrintSpan steps, each starting where the one before ends.
std::vector<PrintSpan> print_spans(std::int32_t end);

// The profile for print (#print-profile): one section.print-page per span, each with a
// header naming the scenario and its span, the profile's lanes reused for its range, its
// lane texts and its axis. Shown in print only.
void write_print_profile(SvgWriter& html, const ReportContent& c, const std::string& title);

}  // namespace tracciato
