#include "platform/folder.h"

#include <algorithm>
#include <system_error>

#include "base/utf8_path.h"

namespace tracciato {

namespace fs = std::filesystem;

std::vector<FolderEntry> list_folder(const fs::path& dir) {
  std::vector<FolderEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entry_ec;
    FolderEntry entry{shown_path(it->path().filename()), it->is_regular_file(entry_ec), {}};
    entry.modified = it->last_write_time(entry_ec);
    entries.push_back(std::move(entry));
  }
  std::ranges::sort(entries, {}, &FolderEntry::name);
  return entries;
}

}  // namespace tracciato
