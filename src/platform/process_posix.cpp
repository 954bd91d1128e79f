#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <iterator>

#include "platform/process.h"

namespace tracciato {

long current_process_id() {
  return static_cast<long>(::getpid());
}

bool process_running(long id) {
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

std::string command_line() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string words{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  while (!words.empty() && words.back() == '\0') words.pop_back();
  for (char& c : words) {
    if (c == '\0') c = ' ';
  }
  return words;
}

std::filesystem::path executable_path() {
  return std::filesystem::read_symlink("/proc/self/exe");
}

}  // namespace tracciato
