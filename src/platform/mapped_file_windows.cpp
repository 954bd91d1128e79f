#include <windows.h>

#include <utility>

#include "platform/input_file.h"
#include "platform/mapped_file.h"
#include "platform/wide_text.h"

namespace tracciato {

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& file, std::string* why) {
  std::string refused;
  const auto input = InputFile::open(file, refused);
  if (!input) {
    if (why != nullptr) *why = refused;
    return std::nullopt;
  }
  if (input->size() == 0) return MappedFile(nullptr, 0, nullptr);
  const auto handle =
      reinterpret_cast<HANDLE>(input->handle());  // NOLINT(performance-no-int-to-ptr)
  HANDLE mapping = ::CreateFileMappingW(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
  const void* view =
      mapping != nullptr ? ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
  if (view == nullptr) {
    if (why != nullptr) *why = system_message(::GetLastError());
    if (mapping != nullptr) ::CloseHandle(mapping);
    return std::nullopt;
  }
  return MappedFile(static_cast<const char*>(view), static_cast<std::size_t>(input->size()),
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
