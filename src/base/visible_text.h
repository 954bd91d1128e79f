#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// Text quoted in a message, made safe for a terminal: control bytes (a tab aside) are
// written as "\x1b", so that a field holding an escape sequence cannot retitle or clear
// the author's terminal.

// Windows-1252 bytes (a description's text) as UTF-8.
std::string visible_cp1252(std::string_view bytes);
// UTF-8 text (a path); bytes that are not UTF-8 are written as "\xff" too.
std::string visible_utf8(std::string_view text);

// The length of the UTF-8 sequence that starts `text`, or 0 when it is not one.
std::size_t utf8_sequence(std::string_view text);

}  // namespace tracciato
