#pragma once

#include <string>

namespace tracciato {

// The program's help text.
const char* usage_text();
// Reports a usage problem of `command` on standard error; returns exit status 2.
int usage_error(const std::string& command, const std::string& problem);

}  // namespace tracciato
