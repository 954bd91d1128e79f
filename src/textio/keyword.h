#pragma once

#include <string_view>

namespace tracciato {

// Row kinds are recognised by words anywhere in the keyword field.
// Any case folds ASCII letters only; exact case compares bytes.
bool contains_any_case(std::string_view field, std::string_view word);
bool contains_exact(std::string_view field, std::string_view word);

}  // namespace tracciato
