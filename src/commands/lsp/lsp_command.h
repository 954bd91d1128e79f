#pragma once

#include "cli/command.h"

namespace tracciato {

extern const Command kLspCommand;

}  // namespace tracciato
