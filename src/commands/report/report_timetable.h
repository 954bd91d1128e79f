#pragma once

#include <string>

#include "commands/report/report_content.h"
#include "commands/report/svg_writer.h"

namespace tracciato {

// The timetable as an HTML table: each station with its kind, position, platform span,
// arrival, stop and departure, and a legend of the kinds the table names in words.
void write_timetable(SvgWriter& html, const ReportContent& c);

// What a station kind means where the train description gives it a meaning ("" where it
// gives none and the table shows the number).
std::string kind_words(int kind);

// "hh:mm:ss" for seconds after midnight.
std::string clock_time(std::int32_t seconds);

}  // namespace tracciato
