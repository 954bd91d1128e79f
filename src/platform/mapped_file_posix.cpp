#include <sys/mman.h>

#include <cerrno>
#include <cstring>

#include "platform/input_file.h"
#include "platform/mapped_file.h"

namespace tracciato {

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& file, std::string* why) {
  std::string refused;
  const auto input = InputFile::open(file, refused);
  if (!input) {
    if (why != nullptr) *why = refused;
    return std::nullopt;
  }
  const auto size = static_cast<std::size_t>(input->size());
  if (size == 0) return MappedFile(nullptr, 0, nullptr);
  void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, static_cast<int>(input->handle()), 0);
  if (map == MAP_FAILED) {
    if (why != nullptr) *why = std::strerror(errno);
    return std::nullopt;
  }
  ::madvise(map, size, MADV_SEQUENTIAL);
  return MappedFile(static_cast<const char*>(map), size, nullptr);
}

void MappedFile::release() {
  if (data_ != nullptr) ::munmap(const_cast<char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace tracciato
