#include "driver/usage.h"

#include <iostream>

namespace tracciato {

const char* usage_text() {
  return "usage: tracciato compile LINE TRAIN [--base NAME] [--train NUMBER] [--out DIR]\n"
         "                         [--no-geometry] [--verbose]\n"
         "       tracciato --help | --version\n"
         "\n"
         "compile   compile a line description and a train description into the\n"
         "          simulator's files NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat\n"
         "          NAME defaults to LINE's name without \"_linea.txt\", NUMBER to TRAIN's\n"
         "          name without \"NAME_\" and \"-.txt\"; DIR defaults to the current directory\n"
         "\n"
         "exit status: 0 built, 1 compile error, 2 usage error, 3 a file cannot be written\n";
}

int usage_error(const std::string& command, const std::string& problem) {
  std::cerr << "usage: tracciato " << command << ": " << problem
            << " (tracciato --help for more)\n";
  return 2;
}

}  // namespace tracciato
