#include "base/utf8_path.h"

namespace tracciato {

std::filesystem::path utf8_path(std::string_view utf8) {
  return {std::u8string(utf8.begin(), utf8.end())};
}

std::string shown_path(const std::filesystem::path& path) {
  const std::u8string text = std::filesystem::path(path).make_preferred().u8string();
  return {text.begin(), text.end()};
}

}  // namespace tracciato
