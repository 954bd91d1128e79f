#pragma once

#include <cstdint>
#include <filesystem>

namespace tracciato {

// A file held open by another program, for tests. Held against replacing, the way the
// simulator or a virus scanner holds one: others may read it but not replace or delete
// it, where the system enforces that (Windows). Held for writing, the way an editor may
// hold a description: others may read it too.
class HeldFile {
 public:
  enum class Hold { kAgainstReplacing, kForWriting };
  explicit HeldFile(const std::filesystem::path& file, Hold hold = Hold::kAgainstReplacing);
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { release(); }
  void release();

 private:
  std::intptr_t handle_;
};

}  // namespace tracciato
