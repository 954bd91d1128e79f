#pragma once

#include "cli/command.h"

namespace tracciato {

// A compiled file shown as text or JSON: status 1 for a file that does not decode, 3 for
// one that cannot be read.
extern const Command kDumpCommand;

}  // namespace tracciato
