#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "base/file_error.h"
#include "platform/output_file.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

HANDLE as_handle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);  // NOLINT(performance-no-int-to-ptr)
}

// The largest single WriteFile; a longer span is written in slices.
constexpr std::size_t kWriteSlice = std::size_t{1} << 30;

// How long a rename waits for another program to let go of its target.
constexpr auto kHeldPatience = std::chrono::seconds(3);
constexpr auto kHeldPause = std::chrono::milliseconds(50);

bool names_a_directory(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Windows refuses to replace a file that is open without delete sharing; a directory in
// the way gives the same error, and waiting will not move it.
bool held_by_another_program(DWORD error, const std::filesystem::path& target) {
  return (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
          error == ERROR_LOCK_VIOLATION) &&
         !names_a_directory(target);
}

StandingFile::Kind kind_of(DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return StandingFile::Kind::kLink;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return StandingFile::Kind::kDirectory;
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return StandingFile::Kind::kOther;
  return StandingFile::Kind::kFile;
}

// Clears the read-only attribute of `file` for as long as it lives, unless told to keep it
// cleared: a file replaced or deleted on purpose must not stay read-only.
class WritableForNow {
 public:
  explicit WritableForNow(const std::filesystem::path& file)
      : file_(file), attributes_(::GetFileAttributesW(file.c_str())) {
    cleared_ = attributes_ != INVALID_FILE_ATTRIBUTES &&
               (attributes_ & FILE_ATTRIBUTE_READONLY) != 0 &&
               ::SetFileAttributesW(file.c_str(), attributes_ & ~FILE_ATTRIBUTE_READONLY);
  }
  WritableForNow(const WritableForNow&) = delete;
  WritableForNow& operator=(const WritableForNow&) = delete;
  ~WritableForNow() {
    if (cleared_) ::SetFileAttributesW(file_.c_str(), attributes_);
  }
  void keep_cleared() { cleared_ = false; }

 private:
  std::filesystem::path file_;
  DWORD attributes_;
  bool cleared_ = false;
};

}  // namespace

StandingFile standing_file(const std::filesystem::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  StandingFile s;
  s.kind = kind_of(attributes);
  s.read_only = s.kind == StandingFile::Kind::kFile && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  return s;
}

// CREATE_NEW creates it only where nothing stands; a link there counts as standing rather
// than being followed.
OutputFile::OutputFile(const std::filesystem::path& file, std::filesystem::path shown)
    : file_(file),
      shown_(std::move(shown)),
      handle_(reinterpret_cast<std::intptr_t>(
          ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr))) {
  if (as_handle(handle_) == INVALID_HANDLE_VALUE) {
    throw FileError(shown_, system_message(::GetLastError()));
  }
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::move(other.file_)),
      shown_(std::move(other.shown_)),
      handle_(std::exchange(other.handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE))),
      written_(other.written_),
      read_only_(other.read_only_) {}

// The attribute goes on once the file is closed: a read-only file could not be written.
void OutputFile::keep_permissions(const StandingFile& earlier) {
  read_only_ = earlier.read_only;
}

OutputFile::~OutputFile() {
  close_quietly();
}

void OutputFile::close_quietly() {
  const HANDLE h =
      as_handle(std::exchange(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}

void OutputFile::write(std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto slice = static_cast<DWORD>(std::min(bytes.size() - done, kWriteSlice));
    DWORD n = 0;
    if (!::WriteFile(as_handle(handle_), bytes.data() + done, slice, &n, nullptr)) {
      throw FileError(shown_, system_message(::GetLastError()));
    }
    if (n == 0) throw FileError(shown_, "nothing could be written");
    done += n;
    written_ += n;
  }
}

void OutputFile::sync_and_close() {
  if (!::FlushFileBuffers(as_handle(handle_))) {
    const DWORD error = ::GetLastError();
    close_quietly();
    throw FileError(shown_, system_message(error));
  }
  const HANDLE h =
      as_handle(std::exchange(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
  if (!::CloseHandle(h)) throw FileError(shown_, system_message(::GetLastError()));
  if (read_only_ && !::SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY)) {
    throw FileError(shown_, system_message(::GetLastError()));
  }
}

// A copy, not a hard link: a link shares the lock of a file another program holds open,
// and could not be removed while it is held. The copy never replaces anything at `aside`,
// and a symbolic link is copied as the link, not as what it leads to.
void keep_aside(const std::filesystem::path& file, const std::filesystem::path& aside) {
  if (!::CopyFileExW(file.c_str(), aside.c_str(), nullptr, nullptr, nullptr,
                     COPY_FILE_FAIL_IF_EXISTS | COPY_FILE_COPY_SYMLINK)) {
    throw FileError(file,
                    "cannot keep the earlier file aside: " + system_message(::GetLastError()));
  }
}

// Windows refuses to replace a read-only file: its attribute is cleared for the move and
// given back if the move fails.
void replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  WritableForNow writable(to);
  const auto deadline = std::chrono::steady_clock::now() + kHeldPatience;
  for (;;) {
    if (::MoveFileExW(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      writable.keep_cleared();
      return;
    }
    const DWORD error = ::GetLastError();
    if (!held_by_another_program(error, to)) throw FileError(to, system_message(error));
    if (std::chrono::steady_clock::now() >= deadline) {
      throw FileError(to, "another program holds it open (" + system_message(error) + ")");
    }
    std::this_thread::sleep_for(kHeldPause);
  }
}

bool remove_file(const std::filesystem::path& file) {
  WritableForNow writable(file);
  if (!::DeleteFileW(file.c_str())) return false;
  writable.keep_cleared();
  return true;
}

}  // namespace tracciato
