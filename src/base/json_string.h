#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// `utf8` as a JSON string literal, quotes included.
std::string json_string(std::string_view utf8);

}  // namespace tracciato
