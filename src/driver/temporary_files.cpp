#include "driver/temporary_files.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>

namespace tracciato {

namespace {

constexpr std::string_view kPrefix = ".tracciato-";

// The process id in a name of the form ".tracciato-PID-NAME", or 0.
pid_t writer_of(const std::string& file) {
  if (!file.starts_with(kPrefix)) return 0;
  const char* first = file.data() + kPrefix.size();
  const char* last = file.data() + file.size();
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(first, last, pid);
  if (error != std::errc() || end == first || end == last || *end != '-' || pid <= 0) return 0;
  return pid;
}

bool running(pid_t pid) {
  return pid != ::getpid() && (::kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

std::filesystem::path temporary_name(const std::filesystem::path& dir, const std::string& name) {
  return dir / (std::string(kPrefix) + std::to_string(::getpid()) + "-" + name);
}

void remove_stale_temporaries(const std::filesystem::path& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const pid_t pid = writer_of(entry.path().filename().string());
    if (pid != 0 && !running(pid) && entry.is_regular_file(ec)) {
      std::filesystem::remove(entry.path(), ec);
    }
  }
}

}  // namespace tracciato
