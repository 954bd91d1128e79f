#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "compile/decompile/compiled_input.h"

namespace tracciato {

// The line description whose compile gives the set's line: general values, curves (none
// without a geometry file), gradients, mountain stretches, speed boards and signboards,
// in the writer's sections and in route order. What no row gives is told in `why`.
std::string line_description_bytes(const CompiledInput& in,
                                   std::optional<std::span<const std::uint8_t>> geometry,
                                   Unexplained& why);

// Texts a description can carry after a keyword and its values: no comma, no line end
// and no leading blank, all of which the reader takes otherwise.
bool writable_text(std::string_view text);

}  // namespace tracciato
