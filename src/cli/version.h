#pragma once

#include <string_view>

namespace tracciato {

// Defined in a source generated at each build (cmake/write_version.cmake), so that a new
// commit recompiles that one file only.
std::string_view project_version();
// The abbreviated commit the program was built from, "-dirty" after it when the checkout
// had changes; empty outside a git checkout.
std::string_view source_commit();

}  // namespace tracciato
