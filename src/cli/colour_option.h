#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/colour.h"

namespace tracciato {

// The --color option of every command that prints diagnostics.
inline constexpr OptionSpec kColourOption{
    "--color", "auto|always|never",
    "colour diagnostics: auto (the default) colours a terminal unless NO_COLOR is set"};

// The palette for standard error, or for standard output with `to_standard_output`, as
// --color asks; nothing, with `problem` set, for a word --color does not take.
std::optional<Palette> chosen_palette(const Arguments& args, bool to_standard_output,
                                      std::string& problem);

}  // namespace tracciato
