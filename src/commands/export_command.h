#pragma once

#include "cli/command.h"

namespace tracciato {

// The embedded scenario's descriptions and driver documents written, not compiled.
extern const Command kExportCommand;

}  // namespace tracciato
