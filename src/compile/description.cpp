#include "compile/description.h"

#include <system_error>

#include "base/utf8_path.h"

namespace tracciato {

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

FileDescription::FileDescription(std::filesystem::path file, bool temporary, std::string shown)
    : file_(std::move(file)),
      shown_(shown.empty() ? shown_path(file_) : std::move(shown)),
      temporary_(temporary) {}

bool FileDescription::exists() const {
  std::error_code ec;
  return std::filesystem::exists(file_, ec);
}

std::optional<std::string_view> FileDescription::load() {
  mapped_ = MappedFile::open(file_);
  if (!mapped_) return std::nullopt;
  return mapped_->bytes();
}

void FileDescription::discard() {
  mapped_.reset();
  if (!temporary_) return;
  std::error_code ec;
  std::filesystem::remove(file_, ec);
}

}  // namespace tracciato
