#include "compile/description.h"

#include <system_error>

#include "base/utf8_path.h"
#include "model/description_files.h"
#include "platform/input_file.h"
#include "platform/read_problem.h"

namespace tracciato {

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

FileDescription::FileDescription(std::filesystem::path file, bool temporary, std::string shown)
    : file_(std::move(file)),
      shown_(shown.empty() ? shown_path(file_) : std::move(shown)),
      temporary_(temporary) {}

// A symbolic link loop stands there, though it leads nowhere: it is told as such.
bool FileDescription::exists() const {
  std::error_code ec;
  return std::filesystem::exists(file_, ec) || ec == std::errc::too_many_symbolic_link_levels;
}

std::optional<std::string_view> FileDescription::load() {
  bytes_.clear();
  auto file = InputFile::open(file_, unreadable_);
  if (!file) return std::nullopt;
  try {
    bytes_ = file->read_all();
  } catch (const ReadError& e) {
    unreadable_ = "at byte " + std::to_string(e.offset()) + ", " + e.what();
    return std::nullopt;
  }
  return std::string_view(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
}

void FileDescription::discard() {
  bytes_ = {};
  if (!temporary_) return;
  std::error_code ec;
  std::filesystem::remove(file_, ec);
}

std::string FileDescription::read_problem() const {
  if (!unreadable_.empty()) return unreadable_;
  return tracciato::read_problem(file_).value_or("");
}

std::string FileDescription::nearest_existing() const {
  if (exists()) return "";
  const auto name = nearest_name_beside(file_);
  return name ? sibling(shown_, *name) : "";
}

}  // namespace tracciato
