#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// Writes the embedded line description into `dir`. Throws FileError.
void dati_linea(const std::filesystem::path& dir, const std::string& base_name,
                std::string_view text);

}  // namespace tracciato
