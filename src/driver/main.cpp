#include <csignal>
#include <string>
#include <vector>

#include "driver/embedded_scenario.h"
#include "driver/program.h"

int main(int argc, char** argv) {
  // A file size limit must become a write error, not a killed process.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> words(argv + 1, argv + argc);
  return tracciato::run_program(words, tracciato::embedded_scenario());
}
