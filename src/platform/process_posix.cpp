#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/process.h"

namespace tracciato {

long current_process_id() {
  return static_cast<long>(::getpid());
}

bool process_running(long id) {
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

std::filesystem::path executable_path() {
  return std::filesystem::read_symlink("/proc/self/exe");
}

}  // namespace tracciato
