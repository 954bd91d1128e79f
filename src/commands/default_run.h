#pragma once

#include "cli/command.h"

namespace tracciato {

// The run without a command: the embedded scenario's texts written, compiled and its
// compiled files written beside the program (or in --out DIR), a window shown meanwhile
// where there is a desktop.
extern const Command kDefaultRun;

}  // namespace tracciato
