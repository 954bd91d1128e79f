#include "textio/keyword.h"

namespace tracciato {

namespace {
char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
}  // namespace

// Fields and words are short: a plain scan that looks further only where the first
// letters agree beats a general search.
bool contains_any_case(std::string_view field, std::string_view word) {
  if (word.empty()) return true;
  if (word.size() > field.size()) return false;
  const char first = fold(word.front());
  for (std::size_t i = 0; i + word.size() <= field.size(); ++i) {
    if (fold(field[i]) != first) continue;
    std::size_t k = 1;
    while (k < word.size() && fold(field[i + k]) == fold(word[k])) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

bool contains_exact(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

}  // namespace tracciato
