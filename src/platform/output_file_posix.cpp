#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/file_error.h"
#include "platform/output_file.h"

namespace tracciato {

namespace {

// Writeback of each slice starts as soon as it is written, so the disk works while the
// rest is still being copied.
constexpr std::size_t kWritebackSlice = std::size_t{4} << 20;

std::string reason(int err) {
  return std::strerror(err);
}

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& file, std::filesystem::path shown)
    : shown_(std::move(shown)),
      handle_(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {
  if (handle_ < 0) throw FileError(shown_, reason(errno));
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : shown_(std::move(other.shown_)),
      handle_(std::exchange(other.handle_, -1)),
      written_(other.written_) {}

OutputFile::~OutputFile() {
  close_quietly();
}

void OutputFile::close_quietly() {
  if (handle_ >= 0) ::close(static_cast<int>(std::exchange(handle_, -1)));
}

void OutputFile::write(std::span<const std::uint8_t> bytes) {
  const int fd = static_cast<int>(handle_);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t slice = std::min(bytes.size() - done, kWritebackSlice);
    const ssize_t n = ::write(fd, bytes.data() + done, slice);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw FileError(shown_, n < 0 ? reason(errno) : "nothing could be written");
    ::sync_file_range(fd, static_cast<off_t>(written_), n, SYNC_FILE_RANGE_WRITE);
    done += static_cast<std::size_t>(n);
    written_ += static_cast<std::uint64_t>(n);
  }
}

void OutputFile::sync_and_close() {
  const int fd = static_cast<int>(std::exchange(handle_, -1));
  if (::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    throw FileError(shown_, reason(err));
  }
  if (::close(fd) != 0) throw FileError(shown_, reason(errno));
}

// A hard link costs nothing; a file system without them gets a copy.
void keep_aside(const std::filesystem::path& file, const std::filesystem::path& aside) {
  if (::link(file.c_str(), aside.c_str()) == 0) return;
  std::error_code ec;
  std::filesystem::copy_file(file, aside, ec);
  if (ec) throw FileError(file, "cannot keep the earlier file aside: " + ec.message());
}

void replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw FileError(to, reason(errno));
}

}  // namespace tracciato
