#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/output_file.h"

namespace tracciato {

// A file that replaces whatever file stands at `target` only once it is whole: written
// under a temporary name beside it, synced, then renamed over it. A failure or a kill
// before that leaves the earlier file as it was; a link at `target` is replaced itself,
// never followed; the new file keeps the earlier one's permissions. Errors throw
// FileError naming `target`.
class ReplacingFile {
 public:
  // Throws FileError when a directory or another thing that is no file stands at
  // `target`, or when the temporary cannot be created.
  explicit ReplacingFile(std::filesystem::path target);
  ReplacingFile(ReplacingFile&& other) noexcept;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ReplacingFile& operator=(ReplacingFile&&) = delete;
  // Removes the temporary when the file was never put in place.
  ~ReplacingFile();

  const std::filesystem::path& target() const { return target_; }
  // What stood at `target` when the file was begun.
  const StandingFile& earlier() const { return earlier_; }

  void write(std::span<const std::uint8_t> bytes) { file_.write(bytes); }
  // Syncs and closes the temporary.
  void finish() { file_.sync_and_close(); }
  // Renames the finished temporary over `target`.
  void place();
  void commit() {
    finish();
    place();
  }

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  StandingFile earlier_;
  OutputFile file_;
  bool placed_ = false;
};

}  // namespace tracciato
