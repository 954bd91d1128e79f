#include <windows.h>

#include <thread>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "platform/folder_lock.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

constexpr auto kPause = std::chrono::milliseconds(50);

HANDLE as_handle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);  // NOLINT(performance-no-int-to-ptr)
}

// The lock covers one byte far past the record: Windows locks bar reading what they
// cover, and a waiting run reads the record to name the holder.
OVERLAPPED lock_range() {
  OVERLAPPED at{};
  at.Offset = 0;
  at.OffsetHigh = 0x40000000;
  return at;
}

// Nothing while a holder removes the file: Windows refuses to open a file that is being
// deleted.
HANDLE open_lock_file(const std::filesystem::path& file) {
  const HANDLE h =
      ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h != INVALID_HANDLE_VALUE) return h;
  const DWORD error = ::GetLastError();
  // A file being deleted stands there still, though even its attributes may be refused.
  const bool standing = ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES ||
                        ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool being_deleted = error == ERROR_ACCESS_DENIED && standing;
  if (!being_deleted) throw FileError(file, system_message(error));
  return nullptr;
}

std::string read_record(HANDLE h) {
  char buffer[1024];
  OVERLAPPED at{};
  DWORD n = 0;
  if (!::ReadFile(h, buffer, sizeof buffer, &n, &at)) return {};
  return {buffer, n};
}

void write_record(HANDLE h, const std::string& record) {
  // Only a message ever reads it: a record that cannot be written costs nothing else.
  OVERLAPPED at{};
  DWORD n = 0;
  if (::WriteFile(h, record.data(), static_cast<DWORD>(record.size()), &n, &at)) {
    ::SetFilePointer(h, static_cast<LONG>(n), nullptr, FILE_BEGIN);
    ::SetEndOfFile(h);
  }
}

bool try_lock(HANDLE h) {
  OVERLAPPED at = lock_range();
  return ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& dir, std::chrono::milliseconds patience)
    : dir_(dir), file_(dir / utf8_path(std::string(kFileName))) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    const HANDLE h = open_lock_file(file_);
    if (h != nullptr && try_lock(h)) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      write_record(h, holder_record());
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      const std::string record = h != nullptr ? read_record(h) : std::string();
      if (h != nullptr) ::CloseHandle(h);
      throw FileError(dir_, still_held(record, patience));
    }
    if (h != nullptr) ::CloseHandle(h);
    std::this_thread::sleep_for(kPause);
  }
}

// Marked for deletion while the lock is still held: the file goes once the last run
// that has it open closes it, and until then no run can open it anew.
FolderLock::~FolderLock() {
  const HANDLE h = as_handle(handle_);
  if (h == INVALID_HANDLE_VALUE) return;
  FILE_DISPOSITION_INFO dispose{TRUE};
  ::SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose);
  ::CloseHandle(h);
}

}  // namespace tracciato
