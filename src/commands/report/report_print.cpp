#include "commands/report/report_print.h"

#include <algorithm>

#include "commands/report/report_profile.h"

namespace tracciato {

std::vector<PrintSpan> print_spans(std::int32_t end) {
  std::vector<PrintSpan> spans;
  std::int32_t from = 0;
  do {
    const std::int32_t to = std::min(from + kPrintSpan, end);
    spans.push_back({from, std::max(to, from)});
    from = to;
  } while (from < end);
  return spans;
}

namespace {

// "km 0+000 – km 10+000", and the line's kilometres where they run there too.
std::string span_text(const ReportContent& c, const PrintSpan& s) {
  std::string text = railway_kilometre(s.from) + " \u2013 " + railway_kilometre(s.to);
  const std::string from = kilometre_text(c.kilometres, s.from);
  const std::string to = kilometre_text(c.kilometres, s.to);
  if (!from.empty() && !to.empty()) text += " of the route; line " + from + " \u2013 " + to;
  return text;
}

void page(SvgWriter& html, const ReportContent& c, const std::vector<LaneText>& texts,
          const std::string& title, const PrintSpan& s, std::size_t index) {
  html.open("section", {{"class", "print-page"},
                        {"data-from", std::to_string(s.from)},
                        {"data-to", std::to_string(s.to)}});
  html.element("div", {{"class", "print-header"}}, title + " \u00b7 " + span_text(c, s));
  html.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                    {"viewBox", "0 0 " + number(kProfileWidth) + " " + number(kProfileHeight)}});
  const std::string clip = "print-clip-" + std::to_string(index);
  html.open("clipPath", {{"id", clip}});
  html.leaf("rect", {{"x", number(kPlotLeft)},
                     {"y", "0"},
                     {"width", number(kPlotRight - kPlotLeft)},
                     {"height", number(kProfileHeight)}});
  html.close();
  draw_lane_names(html);
  const double scale = (kPlotRight - kPlotLeft) / std::max(s.to - s.from, 1);
  html.open("g", {{"clip-path", "url(#" + clip + ")"}});
  html.open("g", {{"transform", "translate(" + number(kPlotLeft - s.from * scale) + ",0) scale(" +
                                    precise(scale) + ",1)"}});
  html.leaf("use", {{"href", "#profile-data"}});
  html.close();
  draw_lane_texts(html, texts, s.from, s.to, false);
  html.close();
  draw_axis(html, c, s.from, s.to);
  html.close();
  html.close();
}

}  // namespace

void write_print_profile(SvgWriter& html, const ReportContent& c, const std::string& title) {
  const std::vector<LaneText> texts = lane_texts(c);
  html.open("div", {{"id", "print-profile"}});
  const std::vector<PrintSpan> spans = print_spans(profile_end(c));
  for (std::size_t i = 0; i < spans.size(); ++i) page(html, c, texts, title, spans[i], i);
  html.close();
}

}  // namespace tracciato
