#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string_view>

#include "commands/lsp/description_rows.h"
#include "commands/lsp/text_document.h"
#include "model/positions.h"

namespace tracciato::lsp {

// What the editor asks of a description besides its diagnostics. `text` is the
// description as the editor holds it (UTF-8); `kilometres` come from its line.

// A station's platform as the compile placed it, by the station's position.
struct StationPlatform {
  std::int64_t position = 0;
  std::int64_t start = 0;
  std::int64_t end = 0;
};

// The row under the cursor: its kind, position, cell and fields by name, and for a
// station its platform among `platforms`; null elsewhere.
nlohmann::json hover(std::string_view text, bool train, const Position& at,
                     const LineKilometres& kilometres,
                     std::span<const StationPlatform> platforms = {});
nlohmann::json hover(const std::vector<TextRow>& rows, const Position& at,
                     const LineKilometres& kilometres,
                     std::span<const StationPlatform> platforms = {});

// Stations, signals, slowdowns, signboards and curves, each with its position.
nlohmann::json document_symbols(std::string_view text, bool train,
                                const LineKilometres& kilometres);
nlohmann::json document_symbols(const std::vector<TextRow>& rows, const LineKilometres& kilometres);

// Row keywords of the section the cursor is in, each with its fields as a snippet.
nlohmann::json completion(std::string_view text, bool train, const Position& at);

// Quick fixes for the diagnostics a request names: the keyword a did-you-mean offers, a
// tab replaced by a space.
nlohmann::json code_actions(std::string_view text, const std::string& uri,
                            const nlohmann::json& diagnostics);

// The kilometric progressives as a line description writes them.
LineKilometres kilometres_of(std::string_view line_text);
LineKilometres kilometres_of(const std::vector<TextRow>& line_rows);

}  // namespace tracciato::lsp
