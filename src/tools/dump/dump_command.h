#pragma once

#include <span>
#include <string>

namespace tracciato {

// "dump FILE [--json] [--all]": a compiled file shown as text or JSON on standard output.
// Returns 0, 1 for a file that does not decode, 2 for a usage error, 3 for a file that
// cannot be read.
int dump_command(std::span<const std::string> words);

}  // namespace tracciato
