#include "cli/output_directory.h"

#include "base/utf8_path.h"

namespace tracciato {

std::optional<std::string> unusable_output_directory(const std::filesystem::path& dir) {
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return std::nullopt;
  return "cannot write into " + shown_path(dir) + ": not a directory";
}

}  // namespace tracciato
