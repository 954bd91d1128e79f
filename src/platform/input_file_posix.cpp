#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/input_file.h"

namespace tracciato {

namespace {

std::string reason(int err) {
  if (err == ENOENT || err == ENOTDIR) return "it does not exist";
  if (err == EACCES || err == EPERM) return "no permission to read it";
  if (err == ELOOP) return "it is a symbolic link loop";
  return std::strerror(err);
}

// Why a file of this type is not read; nothing for a regular file.
std::optional<std::string> not_regular(mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return "it is a directory";
  if (S_ISFIFO(mode)) return "it is a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  if (S_ISSOCK(mode)) return "it is a socket";
  return "it is not a regular file";
}

}  // namespace

std::optional<InputFile> InputFile::open(const std::filesystem::path& file, std::string& why) {
  struct stat info {};
  // Opening a FIFO or a device to look at it could wait for ever: its type goes first,
  // and the open itself does not wait, in case another file took its place meanwhile.
  if (::stat(file.c_str(), &info) != 0) {
    why = reason(errno);
    return std::nullopt;
  }
  if (const auto refused = not_regular(info.st_mode)) {
    why = *refused;
    return std::nullopt;
  }
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    why = reason(errno);
    return std::nullopt;
  }
  std::optional<std::string> refused;
  if (::fstat(fd, &info) != 0) {
    refused = reason(errno);
  } else {
    refused = not_regular(info.st_mode);
  }
  if (refused) {
    ::close(fd);
    why = *refused;
    return std::nullopt;
  }
  return InputFile(fd, static_cast<std::uint64_t>(info.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::vector<std::uint8_t> InputFile::read_all() {
  std::vector<std::uint8_t> bytes(size_);
  const int fd = static_cast<int>(handle_);
  std::uint64_t done = 0;
  while (done < size_) {
    const std::size_t slice = std::min<std::uint64_t>(size_ - done, kReadSlice);
    const ssize_t n = ::pread(fd, bytes.data() + done, slice, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ReadError(done, std::strerror(errno));
    if (n == 0) throw ReadError(done, ended_early());
    done += static_cast<std::uint64_t>(n);
  }
  return bytes;
}

}  // namespace tracciato
