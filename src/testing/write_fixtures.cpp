// tracciato_write_fixtures DIR: writes each error fixture as DIR/NAME/F_linea.txt and
// DIR/NAME/F_1-.txt with its code in DIR/NAME/code, for tests that compare whole
// programs (scripts/cross-check).
#include <filesystem>
#include <fstream>
#include <iostream>

#include "base/utf8_path.h"
#include "platform/program_start.h"
#include "testing/error_fixtures.h"

namespace {

void write(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = tracciato::start_program(argc, argv);
  if (args.size() != 1) {
    std::cerr << "usage: tracciato_write_fixtures DIR\n";
    return 2;
  }
  for (const auto& fixture : tracciato::test_support::error_fixtures()) {
    const auto dir = tracciato::utf8_path(args[0]) / fixture.name;
    std::filesystem::create_directories(dir);
    write(dir / "F_linea.txt", fixture.line);
    write(dir / "F_1-.txt", fixture.train);
    write(dir / "code", std::to_string(fixture.code) + "\n");
  }
  return 0;
}
