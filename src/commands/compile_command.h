#pragma once

#include "cli/command.h"

namespace tracciato {

// An author's line and train descriptions compiled into the simulator's files.
extern const Command kCompileCommand;

}  // namespace tracciato
