#include "cli/colour_option.h"

#include "platform/terminal.h"

namespace tracciato {

std::optional<Palette> chosen_palette(const Arguments& args, bool to_standard_output,
                                      std::string& problem) {
  const auto word = args.value("--color");
  const auto choice = word ? parse_colour_choice(*word) : ColourChoice::kAuto;
  if (!choice) {
    problem = "--color is auto, always or never";
    return std::nullopt;
  }
  const bool terminal =
      to_standard_output ? standard_output_is_terminal() : standard_error_is_terminal();
  const bool colour = use_colour(*choice, terminal, environment_variable("NO_COLOR"));
  if (colour) enable_terminal_colours();
  return palette(colour);
}

}  // namespace tracciato
