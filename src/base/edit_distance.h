#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace tracciato {

// The fewest single-character insertions, deletions, substitutions and swaps of two
// neighbours that turn `a` into `b`, ignoring ASCII case.
std::size_t edit_distance(std::string_view a, std::string_view b);

// The candidate nearest to `word`, when one is near enough to be what was meant: within a
// third of the word's length, at least one edit. Ties go to the earlier candidate.
std::optional<std::string_view> nearest(std::string_view word,
                                        std::span<const std::string_view> candidates);

}  // namespace tracciato
