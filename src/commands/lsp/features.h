#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

#include "commands/lsp/text_document.h"
#include "model/positions.h"

namespace tracciato::lsp {

// What the editor asks of a description besides its diagnostics. `text` is the
// description as the editor holds it (UTF-8); `kilometres` come from its line.

// The row under the cursor: its kind, position, cell and fields by name; null elsewhere.
nlohmann::json hover(std::string_view text, bool train, const Position& at,
                     const LineKilometres& kilometres);

// Stations, signals, slowdowns, signboards and curves, each with its position.
nlohmann::json document_symbols(std::string_view text, bool train,
                                const LineKilometres& kilometres);

// Row keywords of the section the cursor is in, each with its fields as a snippet.
nlohmann::json completion(std::string_view text, bool train, const Position& at);

// Quick fixes for the diagnostics a request names: the keyword a did-you-mean offers, a
// tab replaced by a space.
nlohmann::json code_actions(std::string_view text, const std::string& uri,
                            const nlohmann::json& diagnostics);

// The kilometric progressives as a line description writes them.
LineKilometres kilometres_of(std::string_view line_text);

}  // namespace tracciato::lsp
