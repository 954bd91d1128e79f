#include "compile/pipeline.h"

#include "base/cp1252.h"
#include "base/unexpected_failure.h"
#include "compile/line/line_compiler.h"
#include "compile/signals/code_pass.h"
#include "compile/train/train_compiler.h"
#include "model/competition_codes.h"

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
  const auto line_text = line.load();
  if (!line_text) throw UnexpectedFailure("the line description cannot be read");
  const PhaseOutcome outcome = compile_line(s, *line_text, line.path());
  line.discard();
  if (outcome == PhaseOutcome::kStop) return;
  active.path = &train.path();
  const auto train_text = train.load();
  if (!train_text) throw UnexpectedFailure("the train description cannot be opened");
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

Scenario fresh_scenario(const BuildRequest& request) {
  Scenario s;
  s.base_name = utf8_to_cp1252(request.base_name);
  s.train_number = utf8_to_cp1252(request.train_number);
  s.geometry_flag = request.j;
  s.errors.reset();
  s.header.clear();
  return s;
}

void tell(Scenario& s) {
  s.observer->error(s.errors);
  s.errors.reset();
}

// One phase for the checker: a failure that escapes its rows ends the phase only.
template <typename F>
void check_phase(Scenario& s, const Description& d, F&& phase) {
  try {
    phase();
  } catch (const UnexpectedFailure& failure) {
    s.errors.record(25, failure.what(), {d.path(), failure.line});
  }
  if (s.errors.failed()) tell(s);
}

void check_descriptions(Scenario& s, const BuildRequest& request) {
  Description& line = request.line;
  Description& train = request.train;
  if (!line.exists()) {
    s.errors.record(101, "the line description does not exist", {line.path(), 0});
    tell(s);
    return;
  }
  PhaseOutcome outcome = PhaseOutcome::kStop;
  check_phase(s, line, [&] {
    const auto text = line.load();
    if (!text) throw UnexpectedFailure("the line description cannot be read");
    outcome = compile_line(s, *text, line.path());
  });
  if (outcome == PhaseOutcome::kStop || !s.cells.allocated()) return;
  check_phase(s, train, [&] {
    const auto text = train.load();
    if (!text) throw UnexpectedFailure("the train description cannot be opened");
    compile_train(s, {*text, train.path(), line.path()});
  });
}

// Both slots of track cell 1, each told on its own.
void check_stamp(Scenario& s) {
  if (!s.cells.contains(1)) {
    s.errors.record(25, "the track has no cell 1 for the format stamp");
    tell(s);
    return;
  }
  const TrackCell& first = s.cells.at(1);
  for (const auto& [code, taken] :
       {std::pair{1250, first.cell_value != 0}, std::pair{1251, first.cell_value_2 != 0}}) {
    if (!taken) continue;
    s.errors.record(code, stamp_refusal(first, code));
    tell(s);
  }
}

}  // namespace

Scenario check_percorso(const BuildRequest& request, CheckObserver& observer) {
  Scenario s = fresh_scenario(request);
  s.observer = &observer;
  check_descriptions(s, request);
  if (!s.cells.allocated()) return s;
  signal_code_pass(s);
  check_stamp(s);
  return s;
}

Scenario memorizza_percorso(const BuildRequest& request) {
  Scenario s = fresh_scenario(request);
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
