#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/input_file.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

HANDLE as_handle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);  // NOLINT(performance-no-int-to-ptr)
}

std::string reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "it does not exist";
    case ERROR_ACCESS_DENIED:
      return "no permission to read it";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "another program holds it locked";
    case ERROR_CANT_RESOLVE_FILENAME:
      return "it is a symbolic link loop";
    default:
      return system_message(error);
  }
}

std::optional<std::string> not_on_disk(DWORD type) {
  switch (type) {
    case FILE_TYPE_DISK:
      return std::nullopt;
    case FILE_TYPE_PIPE:
      return "it is a FIFO";
    case FILE_TYPE_CHAR:
      return "it is a device";
    default:
      return "it is not a regular file";
  }
}

}  // namespace

std::optional<InputFile> InputFile::open(const std::filesystem::path& file, std::string& why) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    why = reason(::GetLastError());
    return std::nullopt;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    why = "it is a directory";
    return std::nullopt;
  }
  // Every sharing mode, so that a file another program holds open, even for writing or
  // deleting, still reads. A pipe with no instance free fails here rather than waiting.
  const HANDLE handle = ::CreateFileW(
      file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    why = reason(::GetLastError());
    return std::nullopt;
  }
  std::optional<std::string> refused = not_on_disk(::GetFileType(handle));
  LARGE_INTEGER size{};
  if (!refused && !::GetFileSizeEx(handle, &size)) refused = system_message(::GetLastError());
  if (refused) {
    ::CloseHandle(handle);
    why = *refused;
    return std::nullopt;
  }
  return InputFile(reinterpret_cast<std::intptr_t>(handle),
                   static_cast<std::uint64_t>(size.QuadPart));
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE))),
      size_(other.size_) {}

InputFile::~InputFile() {
  if (as_handle(handle_) != INVALID_HANDLE_VALUE) ::CloseHandle(as_handle(handle_));
}

std::vector<std::uint8_t> InputFile::read_all() {
  std::vector<std::uint8_t> bytes(size_);
  std::uint64_t done = 0;
  while (done < size_) {
    const auto slice = static_cast<DWORD>(std::min<std::uint64_t>(size_ - done, kReadSlice));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(done);
    at.OffsetHigh = static_cast<DWORD>(done >> 32);
    DWORD n = 0;
    if (!::ReadFile(as_handle(handle_), bytes.data() + done, slice, &n, &at)) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_HANDLE_EOF) throw ReadError(done, ended_early());
      throw ReadError(done, system_message(error));
    }
    if (n == 0) throw ReadError(done, ended_early());
    done += n;
  }
  return bytes;
}

}  // namespace tracciato
