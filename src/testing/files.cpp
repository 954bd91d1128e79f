#include "testing/files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace tracciato::test_support {

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("tracciato-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void write_file(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string read_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> file_names(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(shown_path(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

ProgramRun run_tracciato(const std::vector<Arg>& args, const std::filesystem::path& cwd,
                         const std::string& input) {
  return run_program(TRACCIATO_EXE, args, cwd, input);
}

ProgramRun run_program(const std::filesystem::path& program, const std::vector<Arg>& args,
                       const std::filesystem::path& cwd, const std::string& input) {
  std::vector<std::string> words;
  words.reserve(args.size());
  for (const Arg& a : args) words.push_back(a.text);
  return run_child(program, words, cwd, input);
}

}  // namespace tracciato::test_support
