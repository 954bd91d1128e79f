#pragma once

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace tracciato {

struct TrainSource {
  std::string_view text;
  std::string path;       // the train description, for diagnostics
  std::string line_path;  // the line description, named by the progressive check
};

// Compiles the train description into the scenario after the line description: general
// values, speed and adhesion profiles, stations, signals, slowdowns and code drops, then
// completes the profiles and checks the kilometric progressives. Records its codes in
// scenario.errors; unexpected failures are thrown.
void compile_train(Scenario& scenario, const TrainSource& source);

}  // namespace tracciato
