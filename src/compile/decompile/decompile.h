#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compile/decompile/compiled_input.h"
#include "model/file_names.h"

namespace tracciato {

// One place where the compile of the decompiled descriptions gives other bytes than the
// compiled set holds, in an author's terms.
struct Difference {
  // "BrenzanoC_OstuviaC_4417.dat, cell 2087 (104300 m, km 104+300), cell approach mark"
  std::string where;
  std::string what;  // "holds 41; the descriptions give 0"
  std::string why;   // why no description gives it
};

struct Decompiled {
  ScenarioNames names;  // from the header's own records, UTF-8
  bool geometry = true;
  std::string line;  // the descriptions' bytes: Windows-1252, CR LF
  std::string train;
  // None when the descriptions compile to the very same bytes; else the first
  // `kept` differences, in file order, and how many more there are.
  std::vector<Difference> differences;
  std::size_t differences_left_out = 0;
  bool proven() const { return differences.empty(); }
};

// Turns a compiled set back into the two descriptions and proves them in memory: they
// are compiled as `compile` would and every byte compared. Throws DecodeError for a
// damaged file.
Decompiled decompile(const CompiledSet& set, std::size_t kept = 1000);

}  // namespace tracciato
