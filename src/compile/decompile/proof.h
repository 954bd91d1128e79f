#pragma once

#include <cstddef>
#include <vector>

#include "compile/decompile/compiled_input.h"
#include "compile/decompile/decompile.h"
#include "model/scenario.h"

namespace tracciato {

// The differences between a compiled set and a compile's scenario, in file order: the
// geometry file, the header, the cells. At most `kept` are described; the rest counted.
struct Proof {
  std::vector<Difference> differences;
  std::size_t left_out = 0;
};
Proof compare_build(const CompiledSet& set, const CompiledInput& in, const Scenario& compiled,
                    const ScenarioNames& names, const Unexplained& why, std::size_t kept);

}  // namespace tracciato
