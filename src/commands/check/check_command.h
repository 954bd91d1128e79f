#pragma once

#include "cli/command.h"

namespace tracciato {

// Lists every error and warning of the descriptions and writes no file: status 1 when
// there is an error, 3 when a description cannot be read.
extern const Command kCheckCommand;

}  // namespace tracciato
