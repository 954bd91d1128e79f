#include "base/edit_distance.h"

#include <algorithm>
#include <vector>

namespace tracciato {

namespace {
char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::size_t edit_distance(std::string_view a, std::string_view b) {
  // Three rows of the optimal string alignment table.
  std::vector<std::size_t> before(b.size() + 1);
  std::vector<std::size_t> previous(b.size() + 1);
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
      row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + change});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
          lower(a[i - 2]) == lower(b[j - 1])) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
    }
    before.swap(previous);
    previous.swap(row);
  }
  return previous[b.size()];
}

std::optional<std::string_view> nearest(std::string_view word,
                                        std::span<const std::string_view> candidates) {
  const std::size_t limit = std::max<std::size_t>(1, word.size() / 3);
  std::optional<std::string_view> best;
  std::size_t best_distance = limit + 1;
  for (const std::string_view candidate : candidates) {
    const std::size_t d = edit_distance(word, candidate);
    if (d < best_distance) {
      best = candidate;
      best_distance = d;
    }
  }
  return best;
}

}  // namespace tracciato
