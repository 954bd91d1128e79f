#pragma once

#include <string>
#include <vector>

namespace tracciato {

// Readies the process for the program's commands and returns its arguments, without the
// program's name, in UTF-8: standard output and error carry bytes unchanged (lines end
// in LF on every system), and a full disk or a file size limit is a write error rather
// than the end of the process.
std::vector<std::string> start_program(int argc, char** argv);

// A program started by a double click has a console of its own, which only the window
// should replace: hides that console. Leaves a console shared with a shell alone.
void hide_own_console();

}  // namespace tracciato
