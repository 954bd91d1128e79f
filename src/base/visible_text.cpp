#include "base/visible_text.h"

#include <array>
#include <cstdio>

#include "base/cp1252.h"

namespace tracciato {

namespace {

bool control(unsigned char c) {
  return (c < 0x20 && c != '\t') || c == 0x7F;
}

std::string hex(unsigned char c) {
  std::array<char, 5> out{};
  std::snprintf(out.data(), out.size(), "\\x%02x", c);
  return out.data();
}

}  // namespace

std::size_t utf8_sequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < n || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return n;
}

std::string visible_cp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!control(c)) continue;
    out += cp1252_to_utf8(bytes.substr(start, i - start)) + hex(c);
    start = i + 1;
  }
  return out + cp1252_to_utf8(bytes.substr(start));
}

std::string visible_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = utf8_sequence(text.substr(i));
    if (n == 0 || control(c)) {
      out += hex(c);
      ++i;
      continue;
    }
    out += text.substr(i, n);
    i += n;
  }
  return out;
}

}  // namespace tracciato
