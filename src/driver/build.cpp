#include "driver/build.h"

#include "line/line_compiler.h"
#include "model/competition_codes.h"
#include "model/cp1252.h"
#include "model/unexpected_failure.h"
#include "signals/code_pass.h"
#include "train/train_compiler.h"

namespace tracciato {

namespace {

// Which description is being read, so that an unexpected failure can name it.
struct ActiveSource {
  const std::string* path = nullptr;
};

void compile_descriptions(Scenario& s, const BuildRequest& request, ActiveSource& active) {
  Description& line = request.line;
  Description& train = request.train;
  if (!line.exists()) {
    s.errors.record(101, "the line description does not exist", {line.path(), 0});
    return;
  }
  active.path = &line.path();
  const std::string* line_text = line.load();
  if (line_text == nullptr) throw UnexpectedFailure("the line description cannot be read");
  const PhaseOutcome outcome = compile_line(s, *line_text, line.path());
  line.discard();
  if (outcome == PhaseOutcome::kStop) return;
  active.path = &train.path();
  const std::string* train_text = train.load();
  if (train_text == nullptr) throw UnexpectedFailure("the train description cannot be opened");
  compile_train(s, {*train_text, train.path(), line.path()});
  train.discard();
}

// The unexpected-failure handler of the compile: code 25, both descriptions gone.
void memorizza_dati(Scenario& s, const BuildRequest& request) {
  ActiveSource active;
  try {
    compile_descriptions(s, request, active);
  } catch (const UnexpectedFailure& failure) {
    request.line.discard();
    request.train.discard();
    s.errors.record(25, failure.what(), {active.path != nullptr ? *active.path : "", failure.line});
  }
}

}  // namespace

Scenario memorizza_percorso(const BuildRequest& request) {
  Scenario s;
  s.base_name = utf8_to_cp1252(request.base_name);
  s.train_number = utf8_to_cp1252(request.train_number);
  s.geometry_flag = request.j;
  s.errors.reset();
  s.header.clear();
  memorizza_dati(s, request);
  if (s.errors.failed()) return s;
  signal_code_pass(s);
  if (s.errors.failed()) return s;
  try {
    stamp_header(s);
  } catch (const UnexpectedFailure& failure) {
    s.errors.record(25, failure.what());
  }
  return s;
}

}  // namespace tracciato
