#include "base/cp1252.h"

#include <array>
#include <cstdint>

namespace tracciato {

namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks the unassigned ones.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encode_code_point(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return kReplacementByte;
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 1 with cp = ~0 when malformed.
std::size_t decode_utf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t len = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    cp = ~char32_t{0};
    return 1;
  }
  if (i + len > s.size()) {
    cp = ~char32_t{0};
    return 1;
  }
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      cp = ~char32_t{0};
      return 1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  return len;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string utf8_to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    i += decode_utf8(utf8, i, cp);
    out += encode_code_point(cp);
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kHighControls[b - 0x80] != 0 ? kHighControls[b - 0x80] : 0xFFFD;
    append_utf8(out, cp);
  }
  return out;
}

unsigned char cp1252_lower(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x8A:
      return 0x9A;  // Š
    case 0x8C:
      return 0x9C;  // Œ
    case 0x8E:
      return 0x9E;  // Ž
    case 0x9F:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

bool looks_like_utf8(std::string_view bytes) {
  bool beyond_ascii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp = 0;
    const std::size_t len = decode_utf8(bytes, i, cp);
    if (cp == ~char32_t{0}) return false;
    beyond_ascii = beyond_ascii || len > 1;
    i += len;
  }
  return beyond_ascii;
}

}  // namespace tracciato
