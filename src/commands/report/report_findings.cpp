#include "commands/report/report_findings.h"

#include "cli/diagnostic.h"
#include "commands/report/report_marks.h"

namespace tracciato {

namespace {

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

std::string counted(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

Retention report_retention() {
  return {.per_mistake = std::nullopt, .findings = 1000};
}

std::vector<FindingMark> finding_marks(const FindingList& findings) {
  std::vector<FindingMark> marks;
  for (const Finding& f : findings.findings()) {
    if (f.position) marks.push_back({*f.position, f.error, first_line(render_diagnostic(f))});
  }
  return marks;
}

void write_findings(SvgWriter& html, const FindingList& findings, const LineKilometres& k) {
  html.element("h2", {}, "Findings");
  html.element("p", {{"class", "findings-count"}},
               counted(findings.errors(), "error", "errors") + ", " +
                   counted(findings.warnings(), "warning", "warnings") +
                   (findings.findings().empty() ? "."
                                                : "; those at a place are marked on the "
                                                  "plan and the profile."));
  html.open("ol", {{"id", "findings"}});
  for (const Finding& f : findings.findings()) {
    std::vector<Attribute> a = {{"data-severity", f.error ? "error" : "warning"}};
    if (f.reported) a.push_back({"class", "reported"});
    if (f.position) a.push_back({"data-position", std::to_string(*f.position)});
    html.open("li", a);
    if (f.position) html.element("span", {{"class", "where"}}, place_text(k, *f.position));
    html.element("pre", {}, render_diagnostic(f));
    html.close();
  }
  html.close();
  const int errors = findings.errors_not_kept();
  const int warnings = findings.warnings_not_kept();
  if (errors + warnings == 0) return;
  html.element("p", {{"class", "findings-count"}},
               "And " + counted(errors + warnings, "more finding", "more findings") + " (" +
                   counted(errors, "error", "errors") + ", " +
                   counted(warnings, "warning", "warnings") +
                   ") not listed or marked: tracciato check lists every one.");
}

}  // namespace tracciato
