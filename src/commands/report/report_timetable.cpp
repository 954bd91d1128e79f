#include "commands/report/report_timetable.h"

#include <array>
#include <cstdio>
#include <string>

namespace tracciato {

std::string clock_time(std::int32_t seconds) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text.data();
}

namespace {

void cell(SvgWriter& html, const std::string& text, const char* css = nullptr) {
  if (css == nullptr) {
    html.element("td", {}, text);
  } else {
    html.element("td", {{"class", css}}, text);
  }
}

}  // namespace

void write_timetable(SvgWriter& html, const ReportContent& c) {
  html.open("table", {{"id", "timetable"}});
  html.open("tr");
  for (const char* heading :
       {"#", "station", "kind", "platform (m)", "position (m)", "stop", "departure"}) {
    html.element("th", {}, heading);
  }
  html.close();
  for (const StationMark& s : c.stations) {
    html.open("tr", {{"class", "station-row"}});
    cell(html, std::to_string(s.record));
    cell(html, s.name, "name");
    cell(html, std::to_string(s.kind));
    cell(html, std::to_string(s.platform_start) + " to " + std::to_string(s.platform_end));
    cell(html, std::to_string(s.position));
    cell(html, s.stop == 0 ? "passes" : std::to_string(s.stop));
    cell(html, s.stop == 0 && s.departure == 0 ? "" : clock_time(s.departure));
    html.close();
  }
  html.close();
}

}  // namespace tracciato
