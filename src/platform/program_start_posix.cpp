#include <csignal>

#include "platform/program_start.h"

namespace tracciato {

std::vector<std::string> start_program(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);
  return {argv + 1, argv + argc};
}

void hide_own_console() {}

}  // namespace tracciato
