#include "cli/output_directory.h"

#include "base/utf8_path.h"

namespace tracciato {

Result<std::filesystem::path> output_directory(const std::filesystem::path& dir) {
  std::error_code ec;
  const auto status = std::filesystem::status(dir, ec);
  if (std::filesystem::is_directory(status)) return dir;
  const char* why = std::filesystem::exists(status) ? "not a directory" : "it does not exist";
  return file_failure("cannot write into " + shown_path(dir) + ": " + why);
}

}  // namespace tracciato
