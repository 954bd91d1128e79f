#include "cli/diagnostic.h"

namespace tracciato {

std::string error_message(std::int32_t code) {
  return " Errore n. " + std::to_string(code);
}

namespace {
std::string place(const SourceLocation& where) {
  if (where.path.empty()) return "tracciato";
  if (where.line == 0) return where.path;
  return where.path + ":" + std::to_string(where.line);
}
}  // namespace

std::string format_diagnostic(const ErrorState& e) {
  std::string text =
      place(e.where) + ": error " + std::to_string(e.error_code) + ": " + e.explanation;
  if (e.position_recorded) {
    text += " [position " + std::to_string(e.error_position) + " m]";
  }
  if (!e.note.empty()) text += "\n" + place(e.where) + ": note: " + e.note;
  return text;
}

}  // namespace tracciato
