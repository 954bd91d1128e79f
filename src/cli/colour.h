#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tracciato {

// --color=auto|always|never.
enum class ColourChoice { kAuto, kAlways, kNever };

// The choice a word of --color names; nothing for any other word.
std::optional<ColourChoice> parse_colour_choice(std::string_view word);

// Whether to colour a stream: auto colours a terminal unless NO_COLOR holds a value;
// always and never hold whatever the stream is and whatever NO_COLOR says.
bool use_colour(ColourChoice choice, bool is_terminal, const std::optional<std::string>& no_color);

// The sequences that colour the parts of a diagnostic, as clang colours its own; each part
// ends with reset. All empty without colour, so the same code writes plain text.
struct Palette {
  std::string_view error;     // "error CODE:"
  std::string_view warning;   // "warning:"
  std::string_view note;      // "note:"
  std::string_view help;      // "help:"
  std::string_view location;  // "PATH:LINE:COL:"
  std::string_view caret;     // the caret line under the source
  std::string_view reset;
};

Palette palette(bool colour);

}  // namespace tracciato
