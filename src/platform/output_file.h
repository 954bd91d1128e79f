#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tracciato {

// What stands at a name a file is about to be written under, looked at without following
// a link.
struct StandingFile {
  enum class Kind { kNothing, kFile, kLink, kDirectory, kOther };
  Kind kind = Kind::kNothing;
  // A file whose permissions let no one write it (no write bit, or the read-only
  // attribute), or that this user may not write.
  bool read_only = false;
  // Its permission bits, owner and group, where the system has them.
  std::uint32_t mode = 0;
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};
StandingFile standing_file(const std::filesystem::path& file);

// A new file written from its start, then synced and closed. It is created only where
// nothing stands, a link included, so it never writes through a link someone planted.
// Errors throw FileError naming `shown`, the path the user knows the file by.
class OutputFile {
 public:
  OutputFile(const std::filesystem::path& file, std::filesystem::path shown);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile& operator=(OutputFile&&) = delete;
  ~OutputFile();

  // Gives the new file the permissions of the file it will replace (its mode and, where
  // the system lets this user, owner and group; on Windows its read-only attribute).
  // With nothing to replace it keeps the permissions a new file gets.
  void keep_permissions(const StandingFile& earlier);
  void write(std::span<const std::uint8_t> bytes);
  // The bytes are on the disk when it returns.
  void sync_and_close();
  // Closes a file given up, without syncing it.
  void close_quietly();

 private:
  std::filesystem::path file_;
  std::filesystem::path shown_;
  std::intptr_t handle_;
  std::uint64_t written_ = 0;
  bool read_only_ = false;  // set once closed, where the system has an attribute for it
};

// Keeps the earlier file at `file` (or, where the system allows, the link standing there)
// under the name `aside`, until the caller removes it. Throws FileError.
void keep_aside(const std::filesystem::path& file, const std::filesystem::path& aside);

// Moves `from` over `to`, replacing it; a link at `to` is replaced itself, never followed.
// Where another program holds `to` open (the simulator, a virus scanner), it tries again
// for a short while first. A read-only `to` is replaced as well: refusing one is the
// caller's choice.
void replace_file(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the name `file` (a link itself, never what it leads to), read-only or not;
// false when it cannot.
bool remove_file(const std::filesystem::path& file);

}  // namespace tracciato
