#include "compile/pipeline.h"

#include "base/cp1252.h"
#include "base/unexpected_failure.h"
#include "compile/check_hooks.h"
#include "compile/header_texts.h"
#include "compile/line/line_compiler.h"
#include "compile/signals/code_pass.h"
#include "compile/train/train_compiler.h"
#include "model/competition_codes.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {

Scenario fresh_scenario(const BuildRequest& request, CheckObserver* observer) {
  Scenario s;
  s.base_name = utf8_to_cp1252(request.names.base_name);
  s.train_number = utf8_to_cp1252(request.names.train_number);
  s.j = request.j;
  s.observer = observer;
  return s;
}

// A compile stops at its first code; a check goes on wherever there is a track to check.
bool goes_on(const Scenario& s) {
  return checking(s.observer) ? s.cells.allocated() : !s.errors.failed();
}

// One step of the pipeline. An unexpected failure in it is code 25, named after the
// description being read; a compile then deletes both descriptions and stops, a check
// goes on with the next step.
template <typename F>
bool step(Scenario& s, const BuildRequest& request, const Description* read, F&& body) {
  try {
    body();
  } catch (const UnexpectedFailure& failure) {
    if (!failure.recorded) {
      s.errors.record(error_code::kUnexpectedFailure, failure.what(),
                      located(read != nullptr ? read->path() : "", failure.line, failure.column,
                              failure.end_column, failure.source));
      s.errors.hint = failure.hint;
      if (!failure.note.empty()) s.errors.add_note(failure.note);
    }
    if (!checking(s.observer)) {
      request.line.discard();
      request.train.discard();
      return false;
    }
  }
  tell_checker(s.observer, s.errors);
  return true;
}

// The stamp's slots are in track cell 1: told at the slowdown at 0 m whose markers took
// them, or at the row of the object that stands there.
void locate_stamp_refusal(Scenario& s) {
  if (!s.errors.failed()) return;
  s.errors.hint = "start the slowdown at 50 m or further on";
  bool slowdown_found = false;
  for (const RowSource& slowdown : s.slowdown_rows) {
    if (point_cell(slowdown.position) != 1) continue;
    s.errors.where = slowdown.at;
    slowdown_found = true;
  }
  if (slowdown_found) return;
  if (auto origin = s.origins.object_at(1)) {
    s.errors.where = std::move(origin->at);
    s.errors.hint = "place the " + std::string(origin->row) + " at 50 m or further on";
  }
}

// "did you mean "Esempio_linea.txt"?" for a description that is missing, when a file of a
// name near its own stands beside it.
std::string nearest_hint(const Description& d) {
  const std::string near = d.nearest_existing();
  return near.empty() ? "" : "did you mean \"" + utf8_to_cp1252(near) + "\"?";
}

std::string_view load(Description& d, const std::string& failure) {
  const auto text = d.load();
  if (text) return *text;
  const std::string why = d.read_problem();
  UnexpectedFailure unreadable(why.empty() ? failure : failure + ": " + why);
  unreadable.hint = nearest_hint(d);
  throw unreadable;
}

// The line phase, then the train phase: `memorizza_dati`.
void memorizza_dati(Scenario& s, const BuildRequest& request) {
  Description& line = request.line;
  Description& train = request.train;
  if (!line.exists()) {
    s.errors.record(error_code::kNoLineDescription, "the line description does not exist",
                    {line.path(), 0, 0, 0, {}});
    s.errors.hint = nearest_hint(line);
    tell_checker(s.observer, s.errors);
    return;
  }
  PhaseOutcome outcome = PhaseOutcome::kStop;
  const bool line_read = step(s, request, &line, [&] {
    outcome = compile_line(s, load(line, "the line description cannot be read"), line.path());
    line.discard();
  });
  if (!line_read || outcome == PhaseOutcome::kStop) return;
  if (checking(s.observer) && !s.cells.allocated()) return;
  step(s, request, &train, [&] {
    compile_train(
        s, {load(train, "the train description cannot be opened"), train.path(), line.path()});
    train.discard();
  });
}

}  // namespace

Scenario memorizza_percorso(const BuildRequest& request, CheckObserver* observer) {
  Scenario s = fresh_scenario(request, observer);
  memorizza_dati(s, request);
  if (!goes_on(s)) return s;
  signal_code_pass(s);
  if (!goes_on(s)) return s;
  step(s, request, nullptr, [&] {
    stamp_header(s);
    locate_stamp_refusal(s);
  });
  if (!goes_on(s)) return s;
  refuse_overlong_texts(s);
  return s;
}

}  // namespace tracciato
