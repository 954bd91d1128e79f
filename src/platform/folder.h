#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tracciato {

// One entry of a folder: its name in UTF-8, whether it is a regular file and when it was
// last changed.
struct FolderEntry {
  std::string name;
  bool regular_file = false;
  std::filesystem::file_time_type modified;
};

// The entries of `dir` by name; none when it cannot be listed.
std::vector<FolderEntry> list_folder(const std::filesystem::path& dir);

}  // namespace tracciato
