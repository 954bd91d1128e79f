#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tracciato {

// A new file written from its start, then synced and closed. Errors throw FileError
// naming `shown`, the path the user knows the file by.
class OutputFile {
 public:
  OutputFile(const std::filesystem::path& file, std::filesystem::path shown);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile& operator=(OutputFile&&) = delete;
  ~OutputFile();

  void write(std::span<const std::uint8_t> bytes);
  // The bytes are on the disk when it returns.
  void sync_and_close();

 private:
  void close_quietly();

  std::filesystem::path shown_;
  std::intptr_t handle_;
  std::uint64_t written_ = 0;
};

// Keeps the bytes of `file` under the name `aside`, until the caller removes it. Throws
// FileError.
void keep_aside(const std::filesystem::path& file, const std::filesystem::path& aside);

// Moves `from` over `to`, replacing it. Where another program holds `to` open (the
// simulator, a virus scanner), it tries again for a short while first.
void replace_file(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tracciato
