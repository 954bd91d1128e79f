#include "testing/files.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tracciato::testing {

namespace {
std::string quoted(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tracciato-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
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
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

ProgramRun run_tracciato(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  return run_program(TRACCIATO_EXE, args, cwd);
}

ProgramRun run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                       const std::filesystem::path& cwd) {
  const TempDir capture;
  std::string command = "cd " + quoted(cwd.string()) + " && " + quoted(program.string());
  for (const std::string& a : args) command += " " + quoted(a);
  command += " >" + quoted((capture / "out").string()) + " 2>" + quoted((capture / "err").string());
  const int raw = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = read_file(capture / "out");
  run.err = read_file(capture / "err");
  return run;
}

}  // namespace tracciato::testing
