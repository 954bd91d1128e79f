#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tracciato {

// A file that gave fewer bytes than it held when it was opened: another program
// shortened it while it was read, or the system could not read on. `offset` is where the
// reading stopped.
class ReadError : public std::runtime_error {
 public:
  ReadError(std::uint64_t offset, const std::string& reason)
      : std::runtime_error(reason), offset_(offset) {}
  std::uint64_t offset() const { return offset_; }

 private:
  std::uint64_t offset_;
};

// A regular file open for reading; every file the program reads is opened through it.
// Anything else (a FIFO, a device, a directory) is refused without waiting on it, and
// another program may hold the file open, even for writing, while it is read.
class InputFile {
 public:
  // Nothing when it cannot be opened or is not a regular file; `why` then says why, in
  // the same words on every system: "it does not exist", "it is a directory", "it is a
  // FIFO", "it is a device", "no permission to read it", "it is a symbolic link loop",
  // "another program holds it locked", or the system's own message.
  static std::optional<InputFile> open(const std::filesystem::path& file, std::string& why);
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&&) = delete;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Its length when it was opened.
  std::uint64_t size() const { return size_; }
  // Its `size()` bytes, read in bounded reads rather than mapped, so that a file
  // shortened meanwhile is a ReadError at the offset where it ended, never a crash.
  std::vector<std::uint8_t> read_all();
  // The system's handle, for mapping the file.
  std::intptr_t handle() const { return handle_; }

 private:
  InputFile(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}
  // The most one read asks for.
  static constexpr std::size_t kReadSlice = std::size_t{1} << 20;
  // What a ReadError says of a file that ended before its `size()` bytes.
  std::string ended_early() const;

  std::intptr_t handle_;
  std::uint64_t size_;
};

}  // namespace tracciato
