#pragma once

#include "cli/command.h"

namespace tracciato {

// The plan, profile and timetable of a compile as one HTML page: status 1 when the compile
// failed (the page is written all the same and shows where), 3 when it cannot be written.
extern const Command kReportCommand;

}  // namespace tracciato
