#include "commands/report/report_values.h"

#include <string>

namespace tracciato {

namespace {

int direction_between(std::optional<std::int64_t> a, std::optional<std::int64_t> b) {
  if (!a || !b) return 0;
  return *b > *a ? 1 : -1;
}

// "[start,value,start,value,...]" and the last stretch's end.
std::string pairs(const std::vector<Stretch>& stretches) {
  std::string text = "[";
  for (const Stretch& s : stretches) {
    if (text.size() > 1) text += ',';
    text += std::to_string(s.start) + "," + std::to_string(s.value);
  }
  return text + "]";
}

std::string runs_text(const std::vector<KilometreRun>& runs) {
  std::string text = "[";
  for (const KilometreRun& r : runs) {
    if (text.size() > 1) text += ',';
    text +=
        std::to_string(r.start) + "," + std::to_string(r.value) + "," + std::to_string(r.direction);
  }
  return text + "]";
}

}  // namespace

std::vector<KilometreRun> kilometre_runs(const LineKilometres& k, std::int32_t end) {
  std::vector<KilometreRun> runs;
  for (std::int32_t m = 0; m <= end; m += kCellLength) {
    const auto here = k.kilometre_at(m);
    const int direction = direction_between(here, k.kilometre_at(m + 1));
    if (!runs.empty()) {
      const KilometreRun& last = runs.back();
      const bool on =
          here ? last.direction != 0 &&
                     last.value + std::int64_t{last.direction} * (m - last.start) == *here
               : last.direction == 0;
      if (on && last.direction == direction) continue;
    }
    runs.push_back({m, here.value_or(0), here ? direction : 0});
  }
  return runs;
}

void write_profile_values(SvgWriter& html, const ReportContent& c, std::int32_t end) {
  html.open("script", {{"type", "application/json"}, {"id", "profile-values"}});
  html.raw("{\"end\":" + std::to_string(end) + ",\"limit\":" + pairs(c.limit) +
           ",\"limitEnd\":" + std::to_string(c.limit.empty() ? 0 : c.limit.back().end) +
           ",\"gradient\":" + pairs(c.gradient) +
           ",\"gradientEnd\":" + std::to_string(c.gradient.empty() ? 0 : c.gradient.back().end) +
           ",\"km\":" + runs_text(kilometre_runs(c.kilometres, end)) + "}");
  html.close();
}

}  // namespace tracciato
