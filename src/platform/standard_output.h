#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Flushes what the program wrote to standard output; nothing when all of it arrived, else
// why not ("No space left on device"). A full disk or a closed output would otherwise
// lose the end of what a command printed without a word.
std::optional<std::string> finish_standard_output();

}  // namespace tracciato
