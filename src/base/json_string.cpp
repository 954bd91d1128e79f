#include "base/json_string.h"

#include <array>
#include <cstdio>

namespace tracciato {

std::string json_string(std::string_view utf8) {
  std::string s = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04X", static_cast<unsigned char>(c));
      s += escape.data();
    } else {
      s += c;
    }
  }
  return s + "\"";
}

}  // namespace tracciato
