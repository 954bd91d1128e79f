#include "textio/keyword.h"

#include <algorithm>

namespace tracciato {

namespace {
char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
}  // namespace

bool contains_any_case(std::string_view field, std::string_view word) {
  const auto* const it = std::search(field.begin(), field.end(), word.begin(), word.end(),
                                     [](char a, char b) { return fold(a) == fold(b); });
  return word.empty() || it != field.end();
}

bool contains_exact(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

}  // namespace tracciato
