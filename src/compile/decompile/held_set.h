#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "compile/decompile/compiled_input.h"

namespace tracciato {

// A compiled set's files held as bytes, for the tests that decompile them.
struct HeldSet {
  std::vector<std::uint8_t> geometry;
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> cells;
  bool has_geometry = true;
  CompiledSet set() const {
    CompiledSet s{header, cells, std::nullopt};
    if (has_geometry) s.geometry = std::span<const std::uint8_t>(geometry);
    return s;
  }
  bool operator==(const HeldSet&) const = default;
};

}  // namespace tracciato
