#pragma once

#include <span>
#include <string>

#include "driver/embedded_scenario.h"

namespace tracciato {

// "report [--out FILE.html]" for the embedded scenario and "report LINE TRAIN [--base NAME]
// [--train NUMBER] [--out FILE.html]" for an author's descriptions (default file:
// NAME_NUMBER.html in the current directory). Returns 0; 1 when the compile failed (the
// report is written all the same and shows where); 2 for a usage error; 3 when the report
// cannot be written.
int report_command(std::span<const std::string> words, const EmbeddedScenario& scenario);

}  // namespace tracciato
