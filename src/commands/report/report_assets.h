#pragma once

#include <string_view>

namespace tracciato {

// The page's style sheet and script, kept as files of their own in the source tree
// (report_style.css, report_script.js) and built into the program.
extern const std::string_view kReportStyle;
extern const std::string_view kReportScript;

}  // namespace tracciato
