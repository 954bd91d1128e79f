#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tracciato::lsp {

// The UTF-8 path a file: URI names ("file:///C:/x%20y.txt" is "C:/x y.txt" on Windows);
// nothing for another scheme or a malformed escape.
std::optional<std::string> path_of_uri(std::string_view uri);

// The file: URI of a UTF-8 path, every byte outside the unreserved set escaped.
std::string uri_of_path(std::string_view path);

}  // namespace tracciato::lsp
