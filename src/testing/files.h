#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "platform/testing/child_process.h"

namespace tracciato::test_support {

// A fresh directory removed again at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void write_file(const std::filesystem::path& file, const std::string& bytes);
std::string read_file(const std::filesystem::path& file);
std::vector<std::string> file_names(const std::filesystem::path& dir);

// One word of a command line: a text, or a path in the system's form and UTF-8.
struct Arg {
  Arg(std::string word) : text(std::move(word)) {}  // NOLINT(google-explicit-constructor)
  Arg(const char* word) : text(word) {}             // NOLINT(google-explicit-constructor)
  Arg(const std::filesystem::path& path)
      : text(shown_path(path)) {}  // NOLINT(google-explicit-constructor)
  std::string text;
};

// The program run with `args` and `input` on its standard input, its exit status and what
// it printed.
using ProgramRun = ChildRun;
ProgramRun run_tracciato(const std::vector<Arg>& args, const std::filesystem::path& cwd,
                         const std::string& input = {});
ProgramRun run_program(const std::filesystem::path& program, const std::vector<Arg>& args,
                       const std::filesystem::path& cwd, const std::string& input = {});

}  // namespace tracciato::test_support
