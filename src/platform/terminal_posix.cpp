#include <unistd.h>

#include <cstdlib>

#include "platform/terminal.h"

namespace tracciato {

bool standard_error_is_terminal() {
  return isatty(STDERR_FILENO) == 1;
}

bool standard_output_is_terminal() {
  return isatty(STDOUT_FILENO) == 1;
}

void enable_terminal_colours() {}

std::optional<std::string> environment_variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace tracciato
