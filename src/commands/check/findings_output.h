#pragma once

#include <ostream>

#include "commands/check/findings.h"

namespace tracciato {

// Compiler form, one finding a line, then "N errors, M warnings".
void write_findings_text(std::ostream& out, const FindingList& list);
// A JSON array of {file, line, severity, code, position, message, reported}.
void write_findings_json(std::ostream& out, const FindingList& list);

}  // namespace tracciato
