#include <windows.h>

#include "platform/read_problem.h"
#include "platform/windows_text.h"

namespace tracciato {

namespace {

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
    default:
      return system_message(error);
  }
}

}  // namespace

std::optional<std::string> read_problem(const std::filesystem::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return reason(::GetLastError());
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "it is a directory";
  // The sharing modes the description reader opens with.
  const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return reason(::GetLastError());
  const bool disk = ::GetFileType(handle) == FILE_TYPE_DISK;
  ::CloseHandle(handle);
  if (!disk) return "it is not a regular file";
  return std::nullopt;
}

}  // namespace tracciato
