#include <csignal>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "driver/compile_command.h"
#include "driver/usage.h"

#ifndef TRACCIATO_VERSION
#define TRACCIATO_VERSION "0"
#endif

int main(int argc, char** argv) {
  // A file size limit must become a write error, not a killed process.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) return tracciato::usage_error("", "a command is needed");
  const std::string& command = words.front();
  if (command == "--help" || command == "-h") {
    std::cout << tracciato::usage_text();
    return 0;
  }
  if (command == "--version") {
    std::cout << "tracciato " << TRACCIATO_VERSION << '\n';
    return 0;
  }
  const std::span<const std::string> rest(words.data() + 1, words.size() - 1);
  if (command == "compile") return tracciato::compile_command(rest);
  return tracciato::usage_error(command, "unknown command");
}
