#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// `utf8` as a JSON string literal, quotes included; bytes that are not UTF-8 become U+FFFD,
// so that the result always parses.
std::string json_string(std::string_view utf8);

}  // namespace tracciato
