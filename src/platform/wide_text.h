#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// UTF-8 and the UTF-16 of the Windows API.
std::wstring to_utf16(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);

// The system's message for an error code of GetLastError, in UTF-8.
std::string system_message(unsigned long error);

}  // namespace tracciato
