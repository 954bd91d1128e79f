#include <windows.h>

#include <utility>

#include "platform/mapped_file.h"

namespace tracciato {

namespace {

// Every sharing mode, so that a file another program holds open, even for writing or
// deleting, still reads.
HANDLE open_for_reading(const std::filesystem::path& file) {
  return ::CreateFileW(file.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

}  // namespace

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& file) {
  const HANDLE handle = open_for_reading(file);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  const bool regular =
      ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileSizeEx(handle, &size) != 0;
  HANDLE mapping = nullptr;
  const void* view = nullptr;
  if (regular && size.QuadPart > 0) {
    mapping = ::CreateFileMappingW(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping != nullptr) view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr && mapping != nullptr) ::CloseHandle(std::exchange(mapping, nullptr));
  }
  ::CloseHandle(handle);
  if (!regular || (size.QuadPart > 0 && view == nullptr)) return std::nullopt;
  return MappedFile(static_cast<const char*>(view), static_cast<std::size_t>(size.QuadPart),
                    mapping);
}

void MappedFile::release() {
  if (data_ != nullptr) ::UnmapViewOfFile(data_);
  if (handle_ != nullptr) ::CloseHandle(handle_);
  data_ = nullptr;
  size_ = 0;
  handle_ = nullptr;
}

}  // namespace tracciato
