#include "base/json_string.h"

#include <array>
#include <cstdio>

#include "base/visible_text.h"

namespace tracciato {

std::string json_string(std::string_view utf8) {
  std::string s = "\"";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // JSON is UTF-8: what is not (a path's raw bytes) becomes U+FFFD.
      const std::size_t n = utf8_sequence(utf8.substr(i));
      s += n == 0 ? std::string_view("\xEF\xBF\xBD") : utf8.substr(i, n);
      i += n == 0 ? 0 : n - 1;
    } else if (c == '"' || c == '\\') {
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
