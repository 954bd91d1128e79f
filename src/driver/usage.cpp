#include "driver/usage.h"

#include <iostream>

#include "driver/exit_status.h"

namespace tracciato {

const char* usage_text() {
  return "usage: tracciato [--out DIR] [--headless]\n"
         "       tracciato compile LINE TRAIN [--base NAME] [--train NUMBER] [--out DIR]\n"
         "                         [--no-geometry] [--verbose]\n"
         "       tracciato export [--out DIR]\n"
         "       tracciato dump FILE [--json] [--all]\n"
         "       tracciato report [--out FILE.html]\n"
         "       tracciato report LINE TRAIN [--base NAME] [--train NUMBER] [--out FILE.html]\n"
         "       tracciato check [LINE TRAIN [--base NAME] [--train NUMBER]] [--no-geometry]\n"
         "                       [--format text|json]\n"
         "       tracciato --help | --version\n"
         "\n"
         "(none)    build the embedded scenario: write its descriptions and driver documents,\n"
         "          compile them and write the compiled files beside the program (or in DIR);\n"
         "          a window shows while it works where there is a desktop (not --headless)\n"
         "export    write the embedded descriptions and driver documents into DIR (default:\n"
         "          the current directory), without compiling them\n"
         "compile   compile a line description and a train description into the\n"
         "          simulator's files NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat\n"
         "          NAME defaults to LINE's name without \"_linea.txt\", NUMBER to TRAIN's\n"
         "          name without \"NAME_\" and \"-.txt\"; DIR defaults to the current directory\n"
         "check     list every error and warning of the descriptions (the embedded ones\n"
         "          without LINE and TRAIN) and write no file; status 1 if there is an error\n"
         "dump      show a compiled file (.sim, .dat or _linea.dat) as text, one record, cell\n"
         "          or metre per line (cells without an object and most metres left out\n"
         "          unless --all), or whole as JSON; status 1 if it is damaged, 3 unreadable\n"
         "report    compile the embedded scenario, or LINE and TRAIN, and draw its plan,\n"
         "          profile and timetable, and any compile error, into one HTML page\n"
         "          (default: NAME_NUMBER.html in the current directory)\n"
         "\n"
         "exit status: 0 built, 1 compile error, 2 usage error, 3 a file cannot be written\n";
}

int usage_error(const std::string& command, const std::string& problem) {
  std::cerr << "usage: tracciato" << (command.empty() ? "" : " " + command) << ": " << problem
            << " (tracciato --help for more)\n";
  return exit_code(ExitStatus::kUsage);
}

}  // namespace tracciato
