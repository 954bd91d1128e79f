#pragma once

#include "cli/arguments.h"
#include "cli/colour.h"

namespace tracciato {

// The --color option of every command that prints diagnostics.
inline constexpr OptionSpec kColourOption{
    "--color", "auto|always|never",
    "colour diagnostics: auto (the default) colours a terminal unless NO_COLOR is set", kWordValue};

// The palette for standard error, or for standard output with `to_standard_output`, as
// --color asks.
Palette chosen_palette(const Arguments& args, bool to_standard_output);

}  // namespace tracciato
