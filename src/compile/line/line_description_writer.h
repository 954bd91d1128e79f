#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// The line description's file name: NAME_linea.txt.
std::string line_description_name(const std::string& base_name);

// Writes the embedded line description into `dir`. Throws FileError.
void dati_linea(const std::filesystem::path& dir, const std::string& base_name,
                std::string_view text);

}  // namespace tracciato
