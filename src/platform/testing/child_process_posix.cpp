#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/testing/child_process.h"

namespace tracciato {

namespace {

using CaptureFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

CaptureFile capture_file() {
  CaptureFile file(std::tmpfile(), &std::fclose);
  if (!file) throw std::runtime_error("cannot create a file to capture a program's output");
  return file;
}

std::string captured(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  return text;
}

[[noreturn]] void become(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& cwd, std::FILE* in, std::FILE* out,
                         std::FILE* err) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  if (::chdir(cwd.c_str()) == 0 && ::dup2(::fileno(in), 0) >= 0 && ::dup2(::fileno(out), 1) >= 0 &&
      ::dup2(::fileno(err), 2) >= 0) {
    ::execvp(argv[0], argv.data());
  }
  ::_exit(127);
}

}  // namespace

ChildRun run_child(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& cwd, const std::string& input) {
  const CaptureFile in = capture_file();
  std::fwrite(input.data(), 1, input.size(), in.get());
  std::fflush(in.get());
  std::rewind(in.get());
  const CaptureFile out = capture_file();
  const CaptureFile err = capture_file();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot start " + program.string());
  if (pid == 0) become(program, args, cwd, in.get(), out.get(), err.get());
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
  ChildRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = captured(out.get());
  run.err = captured(err.get());
  return run;
}

}  // namespace tracciato
