#include "driver/embedded_scenario.h"
#include "driver/program.h"
#include "platform/program_start.h"

int main(int argc, char** argv) {
  const std::vector<std::string> words = tracciato::start_program(argc, argv);
  return tracciato::run_program(words, tracciato::embedded_scenario());
}
