#include "driver/output_files.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tracciato {

namespace {

constexpr const char* kTemporaryPrefix = ".tracciato-";

std::filesystem::path temporary_name(const std::filesystem::path& dir, const std::string& name) {
  return dir / (kTemporaryPrefix + std::to_string(::getpid()) + "-" + name);
}

std::string reason(int err) {
  return std::strerror(err);
}

// Writes every part, looping over short writes.
void write_parts(int fd, const std::filesystem::path& shown, const CompiledFile& file) {
  for (const std::span<const std::uint8_t> part : file.parts) {
    std::size_t done = 0;
    while (done < part.size()) {
      const ssize_t n = ::write(fd, part.data() + done, part.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw FileError(shown, n < 0 ? reason(errno) : "nothing could be written");
      done += static_cast<std::size_t>(n);
    }
  }
}

void write_temporary(const std::filesystem::path& temp, const std::filesystem::path& shown,
                     const CompiledFile& file) {
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw FileError(shown, reason(errno));
  try {
    write_parts(fd, shown, file);
    if (::fsync(fd) != 0) throw FileError(shown, reason(errno));
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw FileError(shown, reason(errno));
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
    for (const CompiledFile& f : files) {
      temps.push_back(temporary_name(dir, f.name));
      write_temporary(temps.back(), dir / f.name, f);
    }
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
