#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "platform/folder_lock.h"

namespace tracciato {

namespace {

constexpr auto kPause = std::chrono::milliseconds(50);

int open_lock_file(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int err = errno;
    throw FileError(file, err == ELOOP ? "a symbolic link stands there" : std::strerror(err));
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw FileError(file, "it is not a regular file");
  }
  return fd;
}

// Whether the file locked is still the one under the name: a holder removes the name
// before it lets go, so a run that was waiting on the old file must start again.
bool still_named(int fd, const std::filesystem::path& file) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::lstat(file.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

std::string read_record(int fd) {
  char buffer[1024];
  const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

void write_record(int fd, const std::string& record) {
  // Only a message ever reads it: a record that cannot be written costs nothing else.
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t n = ::pwrite(fd, record.data(), record.size(), 0);
  }
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& dir, std::chrono::milliseconds patience)
    : dir_(dir), file_(dir / utf8_path(std::string(kFileName))) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    const int fd = open_lock_file(file_);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (still_named(fd, file_)) {
        handle_ = fd;
        write_record(fd, holder_record());
        return;
      }
      ::close(fd);
      continue;
    }
    const int err = errno;
    if (err != EWOULDBLOCK && err != EINTR) {
      // A file system that cannot lock: the run goes on as it would without the lock.
      ::unlink(file_.c_str());
      ::close(fd);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      const std::string record = read_record(fd);
      ::close(fd);
      throw FileError(dir_, still_held(record, patience));
    }
    ::close(fd);
    std::this_thread::sleep_for(kPause);
  }
}

// The name goes while the lock is still held, so that no run takes the lock of a file
// that no longer has it.
FolderLock::~FolderLock() {
  if (handle_ < 0) return;
  ::unlink(file_.c_str());
  ::close(static_cast<int>(handle_));
}

}  // namespace tracciato
