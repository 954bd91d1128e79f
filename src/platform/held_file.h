#pragma once

#include <cstdint>
#include <filesystem>

namespace tracciato {

// A file held open the way the simulator or a virus scanner holds one: others may read
// it but not replace or delete it while it is held, where the system enforces that
// (Windows); elsewhere an open file is no obstacle. For tests of the output's retries.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& file);
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { release(); }
  void release();

 private:
  std::intptr_t handle_;
};

}  // namespace tracciato
