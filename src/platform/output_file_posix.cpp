#include <fcntl.h>
#include <sys/stat.h>
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

StandingFile::Kind kind_of(mode_t mode) {
  if (S_ISREG(mode)) return StandingFile::Kind::kFile;
  if (S_ISLNK(mode)) return StandingFile::Kind::kLink;
  if (S_ISDIR(mode)) return StandingFile::Kind::kDirectory;
  return StandingFile::Kind::kOther;
}

}  // namespace

StandingFile standing_file(const std::filesystem::path& file) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) return {};
  StandingFile s{kind_of(info.st_mode), false, info.st_mode & 07777U, info.st_uid, info.st_gid};
  // Root may write any file: for root, read-only is a file without a write bit.
  s.read_only =
      s.kind == StandingFile::Kind::kFile &&
      ((s.mode & 0222U) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0);
  return s;
}

// Created only where nothing stands (O_EXCL), and never through a link (O_NOFOLLOW); the
// mode is that of any new file, which the user's umask trims.
OutputFile::OutputFile(const std::filesystem::path& file, std::filesystem::path shown)
    : file_(file),
      shown_(std::move(shown)),
      handle_(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)) {
  if (handle_ < 0) throw FileError(shown_, reason(errno));
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::move(other.file_)),
      shown_(std::move(other.shown_)),
      handle_(std::exchange(other.handle_, -1)),
      written_(other.written_),
      read_only_(other.read_only_) {}

// The owner goes first: changing it clears the set-id bits the mode may then give back.
// An owner or group this user may not give is left as it is.
void OutputFile::keep_permissions(const StandingFile& earlier) {
  if (earlier.kind != StandingFile::Kind::kFile) return;
  const int fd = static_cast<int>(handle_);
  struct stat own {};
  if (::fstat(fd, &own) == 0 && (own.st_uid != earlier.owner || own.st_gid != earlier.group)) {
    if (::fchown(fd, earlier.owner, earlier.group) != 0) {
      [[maybe_unused]] const int group_only = ::fchown(fd, static_cast<uid_t>(-1), earlier.group);
    }
  }
  if (::fchmod(fd, earlier.mode) != 0) throw FileError(shown_, reason(errno));
}

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

// A hard link costs nothing and, made of a link, links the link itself; a file system
// without hard links gets a copy, which never replaces anything at `aside`.
void keep_aside(const std::filesystem::path& file, const std::filesystem::path& aside) {
  if (::link(file.c_str(), aside.c_str()) == 0) return;
  std::error_code ec;
  std::filesystem::copy_file(file, aside, std::filesystem::copy_options::none, ec);
  if (ec) throw FileError(file, "cannot keep the earlier file aside: " + ec.message());
}

void replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw FileError(to, reason(errno));
}

bool remove_file(const std::filesystem::path& file) {
  return ::unlink(file.c_str()) == 0;
}

}  // namespace tracciato
