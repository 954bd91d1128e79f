#pragma once

#include "model/scenario.h"

namespace tracciato {

// Places code markers ahead of, through and after every slowdown. Records 11, 12 and 13
// (position: cell index x 50) and always runs to its end, a later code replacing an earlier.
void signal_code_pass(Scenario& scenario);

}  // namespace tracciato
