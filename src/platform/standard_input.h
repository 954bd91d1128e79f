#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Every byte standard input holds, unchanged, up to its end; nothing when it cannot be
// read.
std::optional<std::string> read_standard_input();

}  // namespace tracciato
