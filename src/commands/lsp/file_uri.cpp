#include "commands/lsp/file_uri.h"

#include <cctype>

namespace tracciato::lsp {

namespace {

constexpr std::string_view kScheme = "file://";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool drive_letter_path(std::string_view path) {
  return path.size() >= 3 && path[0] == '/' && std::isalpha(static_cast<unsigned char>(path[1])) &&
         path[2] == ':';
}

bool kept(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

std::optional<std::string> path_of_uri(std::string_view uri) {
  if (!uri.starts_with(kScheme)) return std::nullopt;
  std::string_view rest = uri.substr(kScheme.size());
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  rest.remove_prefix(slash);  // an authority ("localhost") names this machine
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    if (i + 2 >= rest.size()) return std::nullopt;
    const int high = hex_value(rest[i + 1]);
    const int low = hex_value(rest[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (drive_letter_path(path)) path.erase(0, 1);
  return path;
}

std::string uri_of_path(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri(kScheme);
  if (!path.starts_with('/')) uri += '/';
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch == '\\' ? '/' : ch);
    if (kept(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4U];
      uri += kHex[c & 15U];
    }
  }
  return uri;
}

}  // namespace tracciato::lsp
