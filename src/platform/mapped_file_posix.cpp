#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/mapped_file.h"

namespace tracciato {

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  const std::size_t size = regular ? static_cast<std::size_t>(info.st_size) : 0;
  void* map = nullptr;
  if (regular && size > 0) {
    map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map == MAP_FAILED) map = nullptr;
    if (map != nullptr) ::madvise(map, size, MADV_SEQUENTIAL);
  }
  ::close(fd);
  if (!regular || (size > 0 && map == nullptr)) return std::nullopt;
  return MappedFile(static_cast<const char*>(map), size, nullptr);
}

void MappedFile::release() {
  if (data_ != nullptr) ::munmap(const_cast<char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace tracciato
