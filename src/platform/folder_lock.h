#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// One run at a time writes a folder's set of output files. The lock is a file in the
// folder that names its holder (process id and command line) for a run that waits in
// vain; the holder removes it as it lets go, and one that a killed run left behind holds
// nothing.
class FolderLock {
 public:
  static constexpr std::string_view kFileName = ".tracciato.lock";

  // Waits up to `patience` while another run holds the folder. Throws FileError naming
  // the holder when it still holds it then, or the lock file when it cannot be made.
  FolderLock(const std::filesystem::path& dir, std::chrono::milliseconds patience);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

 private:
  // What the holder writes into the lock file: its process id, then its command line.
  static std::string holder_record();
  // The reason a run gives up, from what the lock file holds.
  static std::string still_held(std::string_view record, std::chrono::milliseconds patience);

  std::filesystem::path dir_;
  std::filesystem::path file_;
  std::intptr_t handle_ = -1;  // the system's invalid handle on either system
};

}  // namespace tracciato
