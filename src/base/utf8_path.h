#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// The program's strings are UTF-8 on every system; a path is built from them and shown
// through these two, never through the narrow conversions of std::filesystem, which
// use the ANSI code page on Windows.
std::filesystem::path utf8_path(std::string_view utf8);

// The path as the system writes it (backslashes on Windows), in UTF-8.
std::string shown_path(const std::filesystem::path& path);

}  // namespace tracciato
