#pragma once

#include <optional>
#include <ostream>

#include "cli/findings.h"

namespace tracciato {

// How much of a long list the text shows.
struct TextLimits {
  // Findings of one mistake repeated (same kind, file and message but for its numbers)
  // shown before the rest are told as a count; fewer than the list keeps of one mistake.
  int repeats_shown = kRepeatsShown;
  // Errors shown at most; nothing: all of them.
  std::optional<int> max_errors = 50;
  Palette colours = palette(false);
};

// What a list the text is written from keeps: of a repeated mistake, the findings the
// text shows and one more, so that a long run of one mistake takes no memory.
Retention text_retention();

// Compiler form, one finding a line, then "N errors, M warnings"; findings past those the
// list kept are counted.
void write_findings_text(std::ostream& out, const FindingList& list, const TextLimits& limits);
// A compile's warnings as `write_findings_text` shows them, then "N warnings"; nothing
// without any.
void write_warnings_text(std::ostream& out, const FindingList& list, const Palette& colours);

// A JSON array of findings, each {file, line, column, end_column, severity, code,
// position, message, hint, reported}, with `related`, a {file, line, column, message} for
// each note, on a finding that has notes: every finding, or no more than `max_errors`
// errors. Written as the findings come, so that none need be kept: the array opens at
// once and closes with `close`.
class JsonFindings {
 public:
  JsonFindings(std::ostream& out, std::optional<int> max_errors);
  void add(const Finding& f);
  void close();

 private:
  std::ostream& out_;
  std::optional<int> max_errors_;
  int errors_ = 0;
  const char* separator_ = "\n";
};

// The findings a list kept, as `JsonFindings` writes them.
void write_findings_json(std::ostream& out, const FindingList& list,
                         std::optional<int> max_errors = std::nullopt);

}  // namespace tracciato
