#pragma once

#include <cstdint>
#include <string>

#include "model/error_state.h"

namespace tracciato {

// The text of the error message: " Errore n. " followed by the code.
std::string error_message(std::int32_t code);

// The compiler-style explanation of a recorded code: "PATH:LINE: error CODE: ...", with
// "tracciato" in place of the path for codes that no description row raised, and a note
// line when there is one.
std::string format_diagnostic(const ErrorState& errors);

}  // namespace tracciato
