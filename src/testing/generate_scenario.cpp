// tracciato_generate METRES DIR: writes the generated scenario's line and train
// descriptions into DIR and prints their paths, line first.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "platform/program_start.h"
#include "testing/scenario_generator.h"

namespace {

void write(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + tracciato::shown_path(file));
  std::cout << tracciato::shown_path(file) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = tracciato::start_program(argc, argv);
  if (args.size() != 2) {
    std::cerr << "usage: tracciato_generate METRES DIR\n";
    return 2;
  }
  try {
    const auto scenario = tracciato::test_support::generate_scenario(std::stoi(args[0]));
    const std::filesystem::path dir = tracciato::utf8_path(args[1]);
    write(dir / scenario.line_file_name(), scenario.line);
    write(dir / scenario.train_file_name(), scenario.train);
  } catch (const std::exception& e) {
    std::cerr << "tracciato_generate: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
