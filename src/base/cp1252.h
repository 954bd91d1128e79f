#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// Byte written for a character the code page cannot represent.
inline constexpr char kReplacementByte = '?';

// UTF-8 text to Windows-1252 bytes; characters outside the code page and malformed
// sequences become the replacement byte, one per character.
std::string utf8_to_cp1252(std::string_view utf8);

// Windows-1252 bytes to UTF-8, for showing stored texts; the five unassigned bytes
// become U+FFFD.
std::string cp1252_to_utf8(std::string_view bytes);

// True when the bytes read as UTF-8 with at least one character beyond ASCII: text saved
// as UTF-8 where Windows-1252 was meant ("CITTÀ" stored as "CITTÃ€").
bool looks_like_utf8(std::string_view bytes);

// Lower case by the code page's own case pairs.
unsigned char cp1252_lower(unsigned char c);

}  // namespace tracciato
