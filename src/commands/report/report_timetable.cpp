#include "commands/report/report_timetable.h"

#include <array>
#include <cstdio>
#include <string>

#include "commands/report/report_marks.h"
#include "compile/row_checks.h"

namespace tracciato {

std::string clock_time(std::int32_t seconds) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text.data();
}

std::string kind_words(int kind) {
  if (kind == 5 || kind == 6) return "platform behind";
  if (kind == 7 || kind == 8) return "platform both ways";
  if (kind >= 25) return "unmarked";
  return "";
}

namespace {

constexpr std::array<std::pair<const char*, const char*>, 3> kKindLegend = {{
    {"platform behind",
     "kinds 5 and 6: the platform runs back from the position and ends "
     "150 m past it; no approach marks"},
    {"platform both ways",
     "kinds 7 and 8: the platform runs its length both ways from the "
     "position"},
    {"unmarked", "kind 25 and above: no station marker and no approach marks in the track"},
}};

void cell(SvgWriter& html, const std::string& text, const char* css = nullptr) {
  if (css == nullptr) {
    html.element("td", {}, text);
  } else {
    html.element("td", {{"class", css}}, text);
  }
}

void kind_cell(SvgWriter& html, int kind) {
  const std::string words = kind_words(kind);
  if (words.empty()) {
    html.element("td", {{"class", "kind"}}, std::to_string(kind));
  } else {
    html.element("td", {{"class", "kind"}, {"title", "kind " + std::to_string(kind)}}, words);
  }
}

// The platform span in metres, and in the line's kilometres where they run.
std::string platform_text(const StationMark& s, const LineKilometres& k) {
  std::string text = metres(s.platform_start) + " \u2013 " + metres(s.platform_end);
  const std::string from = kilometre_text(k, s.platform_start);
  const std::string to = kilometre_text(k, s.platform_end);
  if (!from.empty() && !to.empty()) text += " (" + from + " \u2013 " + to + ")";
  return text;
}

void row(SvgWriter& html, const StationMark& s, const ReportContent& c, bool first) {
  const bool stops = s.stop > 0;
  html.open("tr", {{"class", "station-row"}});
  cell(html, std::to_string(s.record));
  cell(html, s.name, "name");
  kind_cell(html, s.kind);
  cell(html, place_text(c.kilometres, s.position));
  cell(html, platform_text(s, c.kilometres));
  // The first station's stop is the train's wait before it starts: no arrival there.
  cell(html, stops && !first ? clock_time(s.departure - s.stop) : "");
  cell(html, stops ? std::to_string(s.stop) + " s" : "passes");
  cell(html, !stops && s.departure == 0 ? "" : clock_time(s.departure));
  html.close();
}

}  // namespace

void write_timetable(SvgWriter& html, const ReportContent& c) {
  html.open("table", {{"id", "timetable"}});
  html.open("tr");
  for (const char* heading :
       {"#", "station", "kind", "position", "platform", "arrival", "stop", "departure"}) {
    html.element("th", {}, heading);
  }
  html.close();
  for (std::size_t i = 0; i < c.stations.size(); ++i) row(html, c.stations[i], c, i == 0);
  html.close();
  html.open("dl", {{"class", "kind-legend"}});
  for (const auto& [words, meaning] : kKindLegend) {
    html.element("dt", {}, words);
    html.element("dd", {}, meaning);
  }
  html.element("dt", {}, "a number");
  html.element("dd", {},
               "a kind the track gives no treatment of its own: approach marks and a "
               "station marker, the platform centred on the position");
  html.close();
}

}  // namespace tracciato
