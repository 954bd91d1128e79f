#pragma once

#include <optional>
#include <ostream>

#include "cli/findings.h"

namespace tracciato {

// How much of a long list the text shows.
struct TextLimits {
  // Findings of one mistake repeated (same kind, file and message but for its numbers)
  // shown before the rest are told as a count.
  int repeats_shown = 3;
  // Errors shown at most; nothing: all of them.
  std::optional<int> max_errors = 50;
  Palette colours = palette(false);
};

// Compiler form, one finding a line, then "N errors, M warnings".
void write_findings_text(std::ostream& out, const FindingList& list, const TextLimits& limits);
// A compile's warnings as `write_findings_text` shows them, then "N warnings"; nothing
// without any.
void write_warnings_text(std::ostream& out, const FindingList& list, const Palette& colours);
// A JSON array of {file, line, column, end_column, severity, code, position, message, hint,
// reported}, and `related`, {file, line, column, message} for each note, on a finding that
// has notes: every finding, or no more than `max_errors` errors.
void write_findings_json(std::ostream& out, const FindingList& list,
                         std::optional<int> max_errors = std::nullopt);

}  // namespace tracciato
