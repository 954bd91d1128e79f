#pragma once

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The timetable as an HTML table: each station with its kind, platform, position, stop
// and departure time.
void write_timetable(SvgWriter& html, const ReportContent& c);

// "hh:mm:ss" for seconds after midnight.
std::string clock_time(std::int32_t seconds);

}  // namespace tracciato
