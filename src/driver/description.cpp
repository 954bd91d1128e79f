#include "driver/description.h"

#include <fstream>
#include <system_error>

namespace tracciato {

FileDescription::FileDescription(std::filesystem::path file, bool temporary, std::string shown)
    : file_(std::move(file)),
      shown_(shown.empty() ? file_.string() : std::move(shown)),
      temporary_(temporary) {}

bool FileDescription::exists() const {
  std::error_code ec;
  return std::filesystem::exists(file_, ec);
}

const std::string* FileDescription::load() {
  std::error_code ec;
  if (std::filesystem::is_directory(file_, ec)) return nullptr;
  std::ifstream in(file_, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  const std::streamoff size = in.tellg();
  if (size < 0) return nullptr;
  text_.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(text_.data(), size)) return nullptr;
  return &text_;
}

void FileDescription::discard() {
  if (!temporary_) return;
  std::error_code ec;
  std::filesystem::remove(file_, ec);
}

}  // namespace tracciato
