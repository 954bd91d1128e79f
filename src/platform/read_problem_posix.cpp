#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/read_problem.h"

namespace tracciato {

namespace {

std::string reason(int err) {
  if (err == ENOENT || err == ENOTDIR) return "it does not exist";
  if (err == EACCES || err == EPERM) return "no permission to read it";
  return std::strerror(err);
}

}  // namespace

std::optional<std::string> read_problem(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return reason(errno);
  if (S_ISDIR(info.st_mode)) return "it is a directory";
  // Opening a pipe or a device to find out could wait for ever.
  if (!S_ISREG(info.st_mode)) return "it is not a regular file";
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return reason(errno);
  ::close(fd);
  return std::nullopt;
}

}  // namespace tracciato
