#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "compile/description.h"

namespace tracciato {

// The command-line word that stands for standard input.
inline constexpr const char* kStandardInput = "-";

// The description a word names: the file, or for "-" what standard input holds, named
// "<stdin>" in diagnostics. Nothing, with `problem` set, when standard input cannot be
// read.
std::unique_ptr<Description> description_argument(const std::string& word, std::string& problem);

// "LINE and TRAIN cannot both be -" when they are; standard input is read once.
std::optional<std::string> both_from_standard_input(std::span<const std::string> words);

}  // namespace tracciato
