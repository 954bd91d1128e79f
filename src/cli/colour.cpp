#include "cli/colour.h"

namespace tracciato {

std::optional<ColourChoice> parse_colour_choice(std::string_view word) {
  if (word == "auto") return ColourChoice::kAuto;
  if (word == "always") return ColourChoice::kAlways;
  if (word == "never") return ColourChoice::kNever;
  return std::nullopt;
}

bool use_colour(ColourChoice choice, bool is_terminal, const std::optional<std::string>& no_color) {
  switch (choice) {
    case ColourChoice::kAlways:
      return true;
    case ColourChoice::kNever:
      return false;
    case ColourChoice::kAuto:
      break;
  }
  // https://no-color.org: an empty NO_COLOR counts as not set.
  return is_terminal && (!no_color || no_color->empty());
}

Palette palette(bool colour) {
  if (!colour) return {};
  // Bold without a colour for notes: clang's bold black vanishes on a dark background.
  return {.error = "\x1b[1;31m",
          .warning = "\x1b[1;35m",
          .note = "\x1b[1m",
          .help = "\x1b[1;36m",
          .location = "\x1b[1m",
          .caret = "\x1b[1;32m",
          .reset = "\x1b[0m"};
}

}  // namespace tracciato
