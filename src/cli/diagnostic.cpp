#include "cli/diagnostic.h"

#include <algorithm>

#include "base/cp1252.h"
#include "base/visible_text.h"

namespace tracciato {

namespace {

constexpr int kTabStop = 8;
// Longer source lines are shown as a window around the field.
constexpr int kShownWidth = 160;
constexpr int kShownBefore = 60;

std::string place(const SourceLocation& where) {
  if (where.path.empty()) return "tracciato";
  std::string text = visible_utf8(where.path);
  if (where.line > 0) text += ":" + std::to_string(where.line);
  if (where.line > 0 && where.column > 0) text += ":" + std::to_string(where.column);
  return text;
}

// The line as a terminal shows it: tabs expanded, control characters as spaces, one
// display column per byte otherwise (Windows-1252 has one character a byte). `columns`
// gets the display column where each byte starts, and one past the end.
std::string displayed(const std::string& line, std::vector<int>& columns) {
  std::string shown;
  columns.clear();
  for (const char c : line) {
    columns.push_back(static_cast<int>(shown.size()));
    if (c == '\t') {
      shown.append(kTabStop - shown.size() % kTabStop, ' ');
    } else {
      shown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  columns.push_back(static_cast<int>(shown.size()));
  return shown;
}

std::string gutter(int line) {
  std::string number = std::to_string(line);
  return std::string(number.size() < 5 ? 5 - number.size() : 0, ' ') + number + " | ";
}

// The source line and a caret with tildes under the field (the whole line when no field is
// named).
std::string source_lines(const SourceLocation& at, const Palette& colours) {
  if (at.line == 0 || at.source.empty()) return {};
  std::vector<int> columns;
  std::string shown = displayed(at.source, columns);
  const auto column_of = [&](int byte_column) {
    const auto i = static_cast<std::size_t>(
        std::clamp(byte_column - 1 - at.source_from, 0, int(columns.size()) - 1));
    return columns[i];
  };
  int from = at.column > 0 ? column_of(at.column) : 0;
  int to = at.column > 0 ? column_of(std::max(at.end_column, at.column + 1)) : int(shown.size());
  to = std::max(to, from + 1);
  std::string lead;
  std::string tail;
  if (static_cast<int>(shown.size()) > kShownWidth) {
    const int start = std::max(0, std::min(from - kShownBefore, int(shown.size()) - kShownWidth));
    if (start > 0 || at.source_from > 0) lead = "...";
    if (start + kShownWidth < static_cast<int>(shown.size())) tail = "...";
    shown = shown.substr(static_cast<std::size_t>(start), kShownWidth);
    from = from - start + int(lead.size());
    to = std::min(to - start, kShownWidth) + int(lead.size());
  }
  std::string text = gutter(at.line) + cp1252_to_utf8(lead + shown + tail) + "\n";
  text += std::string(gutter(at.line).size() - 2, ' ') + "| " +
          std::string(static_cast<std::size_t>(from), ' ') + std::string(colours.caret) + "^" +
          std::string(static_cast<std::size_t>(std::max(0, to - from - 1)), '~') +
          std::string(colours.reset) + "\n";
  return text;
}

std::string headline(const SourceLocation& at, std::string_view colour, const std::string& label,
                     const std::string& message, const Palette& colours) {
  return std::string(colours.location) + place(at) + ":" + std::string(colours.reset) + " " +
         std::string(colour) + label + ":" + std::string(colours.reset) + " " +
         visible_cp1252(message) + "\n";
}

}  // namespace

std::string error_message(std::int32_t code) {
  return " Errore n. " + std::to_string(code);
}

Diagnostic diagnostic_of(const ErrorState& e) {
  return {true, e.error_code, e.where, e.explanation, e.notes, e.hint};
}

std::string render_diagnostic(const Diagnostic& d, const Palette& colours) {
  const std::string label =
      d.error ? (d.code != 0 ? "error " + std::to_string(d.code) : "error") : "warning";
  std::string text =
      headline(d.where, d.error ? colours.error : colours.warning, label, d.message, colours);
  text += source_lines(d.where, colours);
  for (const Note& note : d.notes) {
    if (note.at.path.empty()) {
      text += std::string(colours.note) + "note:" + std::string(colours.reset) + " " +
              visible_cp1252(note.text) + "\n";
    } else {
      text += headline(note.at, colours.note, "note", note.text, colours);
      text += source_lines(note.at, colours);
    }
  }
  if (!d.hint.empty()) {
    text += std::string(colours.help) + "help:" + std::string(colours.reset) + " " +
            visible_cp1252(d.hint) + "\n";
  }
  return text;
}

std::string format_diagnostic(const ErrorState& errors, const Palette& colours) {
  return render_diagnostic(diagnostic_of(errors), colours) + std::string(colours.note) +
         "note:" + std::string(colours.reset) + " `tracciato explain " +
         std::to_string(errors.error_code) + "` tells what the code means and how to fix it\n";
}

}  // namespace tracciato
