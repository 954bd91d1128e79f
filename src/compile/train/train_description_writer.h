#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// Writes the embedded train description into `dir`. Throws FileError.
void dati_treno(const std::filesystem::path& dir, const std::string& base_name,
                const std::string& train_number, std::string_view text);

}  // namespace tracciato
