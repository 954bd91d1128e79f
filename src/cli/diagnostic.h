#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/colour.h"
#include "model/error_state.h"

namespace tracciato {

// The text of the error message: " Errore n. " followed by the code.
std::string error_message(std::int32_t code);

// One finding as a compiler shows it.
struct Diagnostic {
  bool error = true;      // otherwise a warning
  std::int32_t code = 0;  // 0: an error without a code (a file that cannot be read)
  SourceLocation where;
  std::string message;  // Windows-1252, as it may quote description bytes
  std::vector<Note> notes;
  std::string hint;
};

Diagnostic diagnostic_of(const ErrorState& errors);

// "PATH:LINE:COL: error CODE: message" ("PATH:LINE:", "PATH:" or "tracciato:" where no
// field or row is concerned), then the source line with a caret under the field, the
// notes and the hint. Text in UTF-8, each line ended.
std::string render_diagnostic(const Diagnostic& d, const Palette& colours = palette(false));

// The compile's own error as `render_diagnostic` shows it, with where to read more.
std::string format_diagnostic(const ErrorState& errors, const Palette& colours = palette(false));

}  // namespace tracciato
