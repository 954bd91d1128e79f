#pragma once

#include "cli/command.h"

namespace tracciato {

extern const Command kDecompileCommand;

}  // namespace tracciato
