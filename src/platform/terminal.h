#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Whether the stream shows on a terminal (a console on Windows) rather than going into a
// file or a pipe, where colour sequences would be stray bytes.
bool standard_error_is_terminal();
bool standard_output_is_terminal();

// A Windows console shows colour sequences only once asked to; a console that cannot is
// left as it was. Nothing to do elsewhere.
void enable_terminal_colours();

// The value of an environment variable in UTF-8, empty when set to nothing; nothing when
// it is not set.
std::optional<std::string> environment_variable(const char* name);

}  // namespace tracciato
