#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/file_names.h"

namespace tracciato {

// Each writes one document into `dir`. Throw FileError.
void dati_note(const std::filesystem::path& dir, const ScenarioNames& n, std::string_view text);
void dati_rallentamenti(const std::filesystem::path& dir, const ScenarioNames& n,
                        std::string_view text);
void dati_scheda(const std::filesystem::path& dir, const ScenarioNames& n, std::string_view text);

}  // namespace tracciato
