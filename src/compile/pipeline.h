#pragma once

#include <cstdint>

#include "compile/description.h"
#include "model/file_names.h"
#include "model/scenario.h"

namespace tracciato {

struct BuildRequest {
  Description& line;
  Description& train;
  ScenarioNames names;  // as the author spells them (UTF-8); they also name the files
  std::int32_t j = 1;   // also build the geometry table
};

// Compiles both descriptions, runs the signal code pass and stamps the model: everything
// before the compiled files are written. The outcome, or the one code to report, is in
// the returned scenario's errors.
// With a checking observer the same steps run for the checker: every recorded code and
// warning goes to it, and each step goes on past its errors wherever that still means
// something. An observer that is not checking hears the warnings alone; without one,
// nothing of the checker runs. Either way the compile keeps its own rules.
Scenario memorizza_percorso(const BuildRequest& request, CheckObserver* observer = nullptr);

}  // namespace tracciato
