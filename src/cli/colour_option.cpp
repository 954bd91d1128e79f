#include "cli/colour_option.h"

#include "platform/terminal.h"

namespace tracciato {

Palette chosen_palette(const Arguments& args, bool to_standard_output) {
  const auto word = args.value("--color");
  // The parse has taken no other word.
  const ColourChoice choice =
      word ? parse_colour_choice(*word).value_or(ColourChoice::kAuto) : ColourChoice::kAuto;
  const bool terminal =
      to_standard_output ? standard_output_is_terminal() : standard_error_is_terminal();
  const bool colour = use_colour(choice, terminal, environment_variable("NO_COLOR"));
  if (colour) enable_terminal_colours();
  return palette(colour);
}

}  // namespace tracciato
