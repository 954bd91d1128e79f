#pragma once

#include "model/scenario.h"
#include "testing/scenario_generator.h"

namespace tracciato::bench {

using test_support::generate_scenario;
using test_support::GeneratedScenario;
using test_support::kMaximalRoute;

// The maximal generated scenario, generated once per process.
const GeneratedScenario& maximal_scenario();

// Both descriptions compiled into the model, before the signal code pass; j = 1 also
// builds the geometry table. Throws when the compile records an error.
Scenario compile_descriptions(const GeneratedScenario& scenario, int j);

// The whole build in memory: descriptions, code pass and stamp, ready to be encoded.
Scenario build(const GeneratedScenario& scenario, int j);

}  // namespace tracciato::bench
