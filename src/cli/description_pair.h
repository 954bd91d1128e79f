#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/failure.h"

namespace tracciato {

// The words; or, when they are LINE and TRAIN the wrong way round as their file names tell,
// the usage failure "F_1-.txt names a train and F_linea.txt a line: they are swapped; the
// line comes first: tracciato compile F_linea.txt F_1-.txt".
Result<std::vector<std::string>> in_description_order(std::string_view command,
                                                      const std::vector<std::string>& words);

// LINE and TRAIN completed from one of them by the naming rules: a train goes with
// NAME_linea.txt beside it, a line with the NAME_NUMBER-.txt beside it, the one changed last
// when there are several (`choice` then says which was taken). A usage failure when the
// word names no description or its partner is not there.
struct CompletedPair {
  std::string line;
  std::string train;
  std::string choice;
};
Result<CompletedPair> complete_pair(const std::string& word);

}  // namespace tracciato
