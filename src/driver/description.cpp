#include "driver/description.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace tracciato {

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

FileDescription::FileDescription(std::filesystem::path file, bool temporary, std::string shown)
    : file_(std::move(file)),
      shown_(shown.empty() ? file_.string() : std::move(shown)),
      temporary_(temporary) {}

FileDescription::~FileDescription() {
  unmap();
}

bool FileDescription::exists() const {
  std::error_code ec;
  return std::filesystem::exists(file_, ec);
}

std::optional<std::string_view> FileDescription::load() {
  unmap();
  const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  size_ = regular ? static_cast<std::size_t>(info.st_size) : 0;
  if (regular && size_ > 0) {
    map_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map_ == MAP_FAILED) map_ = nullptr;
    if (map_ != nullptr) ::madvise(map_, size_, MADV_SEQUENTIAL);
  }
  ::close(fd);
  if (!regular || (size_ > 0 && map_ == nullptr)) return std::nullopt;
  return size_ == 0 ? std::string_view() : std::string_view(static_cast<const char*>(map_), size_);
}

void FileDescription::unmap() {
  if (map_ != nullptr) ::munmap(map_, size_);
  map_ = nullptr;
  size_ = 0;
}

void FileDescription::discard() {
  unmap();
  if (!temporary_) return;
  std::error_code ec;
  std::filesystem::remove(file_, ec);
}

}  // namespace tracciato
