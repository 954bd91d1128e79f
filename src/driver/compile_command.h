#pragma once

#include <span>
#include <string>

namespace tracciato {

// tracciato compile LINE TRAIN [--base NAME] [--train NUMBER] [--out DIR] [--no-geometry]
// [--verbose]. Returns the exit status: 0 built, 1 compile error, 2 usage, 3 output.
int compile_command(std::span<const std::string> words);

}  // namespace tracciato
