#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/arguments.h"

namespace tracciato {

// The line on standard error that ends a command that writes files, naming what it wrote:
// "wrote A, B in DIR/" ("in DIR/" left out for the current directory), "wrote only A, B in
// DIR/" after a failure, "nothing was written" when it wrote nothing.
std::string written_line(const std::vector<std::string>& names, const std::filesystem::path& dir,
                         bool failed);

// Writes `written_line` on standard error, unless --quiet.
void tell_written(const Arguments& args, const std::vector<std::string>& names,
                  const std::filesystem::path& dir, bool failed);

inline constexpr OptionSpec kQuietOption{"--quiet", "",
                                         "leave out the closing line that names the files written"};

}  // namespace tracciato
