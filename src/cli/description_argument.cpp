#include "cli/description_argument.h"

#include <algorithm>

#include "base/utf8_path.h"
#include "platform/standard_input.h"

namespace tracciato {

std::unique_ptr<Description> description_argument(const std::string& word, std::string& problem) {
  if (word != kStandardInput) return std::make_unique<FileDescription>(utf8_path(word), false);
  auto text = read_standard_input();
  if (!text) {
    problem = "cannot read standard input";
    return nullptr;
  }
  return std::make_unique<MemoryDescription>("<stdin>", std::move(*text));
}

std::optional<std::string> both_from_standard_input(std::span<const std::string> words) {
  if (std::ranges::count(words, std::string(kStandardInput)) < 2) return std::nullopt;
  return "LINE and TRAIN cannot both be -: standard input holds one description";
}

}  // namespace tracciato
