#include "platform/replacing_file.h"

#include <utility>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "platform/temporary_files.h"

namespace tracciato {

namespace {

// What stands at `target`, refused when a rename would take away what is no file.
StandingFile replaceable(const std::filesystem::path& target) {
  const StandingFile earlier = standing_file(target);
  if (earlier.kind == StandingFile::Kind::kDirectory) {
    throw FileError(target, "a directory stands there");
  }
  if (earlier.kind == StandingFile::Kind::kOther) {
    throw FileError(target, "it is not a regular file");
  }
  return earlier;
}

std::filesystem::path beside(const std::filesystem::path& target) {
  const std::filesystem::path dir = target.parent_path();
  return temporary_name(dir.empty() ? std::filesystem::path(".") : dir,
                        shown_path(target.filename()));
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : target_(std::move(target)),
      temporary_(beside(target_)),
      earlier_(replaceable(target_)),
      file_(temporary_, target_) {
  try {
    file_.keep_permissions(earlier_);
  } catch (...) {
    remove_file(temporary_);
    throw;
  }
}

ReplacingFile::ReplacingFile(ReplacingFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      earlier_(other.earlier_),
      file_(std::move(other.file_)),
      placed_(std::exchange(other.placed_, true)) {}

// Closed first: Windows removes no file that is open.
ReplacingFile::~ReplacingFile() {
  file_.close_quietly();
  if (!placed_) remove_file(temporary_);
}

void ReplacingFile::place() {
  replace_file(temporary_, target_);
  placed_ = true;
}

}  // namespace tracciato
