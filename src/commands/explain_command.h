#pragma once

#include "cli/command.h"

namespace tracciato {

// What an error code means, its rule, the fix and a row that raises it.
extern const Command kExplainCommand;

}  // namespace tracciato
