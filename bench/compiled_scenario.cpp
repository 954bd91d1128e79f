#include "compiled_scenario.h"

#include <stdexcept>

#include "compile/line/line_compiler.h"
#include "compile/pipeline.h"
#include "compile/train/train_compiler.h"

namespace tracciato::bench {

namespace {

void require_success(const Scenario& s) {
  if (s.errors.failed()) {
    throw std::runtime_error("the generated scenario does not compile: error " +
                             std::to_string(s.errors.error_code) + ", " + s.errors.explanation);
  }
}

}  // namespace

const GeneratedScenario& maximal_scenario() {
  static const GeneratedScenario scenario = generate_scenario(kMaximalRoute);
  return scenario;
}

Scenario compile_descriptions(const GeneratedScenario& scenario, int j) {
  Scenario s;
  s.base_name = scenario.base_name;
  s.train_number = scenario.train_number;
  s.j = j;
  s.header.clear();
  const std::string line_path = scenario.line_file_name();
  if (compile_line(s, scenario.line, line_path) == PhaseOutcome::kContinue) {
    compile_train(s, {scenario.train, scenario.train_file_name(), line_path});
  }
  require_success(s);
  return s;
}

Scenario build(const GeneratedScenario& scenario, int j) {
  MemoryDescription line(scenario.line_file_name(), scenario.line);
  MemoryDescription train(scenario.train_file_name(), scenario.train);
  Scenario s = memorizza_percorso({line, train, {scenario.base_name, scenario.train_number}, j});
  require_success(s);
  return s;
}

}  // namespace tracciato::bench
