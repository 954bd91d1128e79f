#include "driver/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

#include "driver/temporary_files.h"

namespace tracciato {

namespace {

std::string reason(int err) {
  return std::strerror(err);
}

// Writeback of each slice starts as soon as it is written, so the disk works while the
// rest is still being copied.
constexpr std::size_t kWritebackSlice = std::size_t{4} << 20;

// Writes every part, looping over short writes.
void write_parts(int fd, const std::filesystem::path& shown, const CompiledFile& file) {
  off_t written = 0;
  for (const std::span<const std::uint8_t> part : file.parts) {
    std::size_t done = 0;
    while (done < part.size()) {
      const std::size_t slice = std::min(part.size() - done, kWritebackSlice);
      const ssize_t n = ::write(fd, part.data() + done, slice);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw FileError(shown, n < 0 ? reason(errno) : "nothing could be written");
      ::sync_file_range(fd, written, n, SYNC_FILE_RANGE_WRITE);
      done += static_cast<std::size_t>(n);
      written += n;
    }
  }
}

// A temporary file being written, closed on every way out.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& temp, std::filesystem::path shown)
      : shown_(std::move(shown)),
        fd_(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {
    if (fd_ < 0) throw FileError(shown_, reason(errno));
  }
  TemporaryFile(TemporaryFile&& other) noexcept
      : shown_(std::move(other.shown_)), fd_(std::exchange(other.fd_, -1)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
  }

  void write(const CompiledFile& file) { write_parts(fd_, shown_, file); }
  void sync_and_close() {
    if (::fsync(fd_) != 0) throw FileError(shown_, reason(errno));
    if (::close(std::exchange(fd_, -1)) != 0) throw FileError(shown_, reason(errno));
  }

 private:
  std::filesystem::path shown_;
  int fd_;
};

// Syncs the files at once: the disk then serves their cache flushes together instead of
// one after another. A failure names the first failing file in writing order.
void sync_all(std::vector<TemporaryFile>& files) {
  std::vector<std::exception_ptr> failures(files.size());
  const auto sync = [&](std::size_t i) {
    try {
      files[i].sync_and_close();
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < files.size(); ++i) {
      try {
        helpers.emplace_back(sync, i);
      } catch (const std::system_error&) {
        sync(i);  // no thread to spare
      }
    }
    if (!files.empty()) sync(0);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

void remove_quietly(const std::vector<std::filesystem::path>& files) {
  std::error_code ec;
  for (const auto& f : files) std::filesystem::remove(f, ec);
}

}  // namespace

EncodedBuild encode_build(const Scenario& s, const std::string& base_name,
                          const std::string& train_number) {
  EncodedBuild out;
  out.header = encode_header(s.header);
  out.cells = encode_cells(s.cells);
  if (s.geometry_flag != 0) {
    const auto parts = s.geometry->file_parts();
    out.files.push_back({geometry_file_name(base_name), {parts[0], parts[1]}});
  }
  out.files.push_back({header_file_name(base_name, train_number), {out.header}});
  out.files.push_back({cell_file_name(base_name, train_number), {out.cells}});
  return out;
}

void write_all_or_nothing(const std::filesystem::path& dir,
                          const std::vector<CompiledFile>& files) {
  std::vector<std::filesystem::path> temps;
  try {
    std::vector<TemporaryFile> written;
    for (const CompiledFile& f : files) {
      temps.push_back(temporary_name(dir, f.name));
      written.emplace_back(temps.back(), dir / f.name).write(f);
    }
    sync_all(written);
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (::rename(temps[i].c_str(), (dir / files[i].name).c_str()) != 0) {
        throw FileError(dir / files[i].name, reason(errno));
      }
    }
  } catch (...) {
    remove_quietly(temps);
    throw;
  }
}

}  // namespace tracciato
