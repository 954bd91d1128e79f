#include "cli/findings.h"

#include <algorithm>

namespace tracciato {

namespace {

Finding from_error(const ErrorState& e) {
  Finding f;
  static_cast<Diagnostic&>(f) = diagnostic_of(e);
  if (e.position_recorded) f.position = e.error_position;
  return f;
}

}  // namespace

void FindingList::error(const ErrorState& recorded) {
  findings_.push_back(from_error(recorded));
}

void FindingList::warning(const Warning& w) {
  Finding f;
  f.error = false;
  f.where = w.at;
  f.message = w.message;
  f.hint = w.hint;
  f.position = w.position;
  f.notes = w.notes;
  findings_.push_back(std::move(f));
}

void FindingList::file_problem(const std::string& path, const std::string& message) {
  Finding f;
  f.where.path = path;
  f.message = message;
  findings_.push_back(std::move(f));
}

void FindingList::mark_reported(const ErrorState& compile) {
  if (!compile.failed()) return;
  const Finding own = from_error(compile);
  const auto same = std::find_if(findings_.begin(), findings_.end(), [&](const Finding& f) {
    return f.error && f.code == own.code && f.where.path == own.where.path &&
           f.where.line == own.where.line;
  });
  if (same == findings_.end()) {
    findings_.push_back(own);
    findings_.back().reported = true;
    return;
  }
  same->position = own.position;
  same->message = own.message;
  same->notes = own.notes;
  same->reported = true;
}

int FindingList::errors() const {
  return static_cast<int>(
      std::count_if(findings_.begin(), findings_.end(), [](const Finding& f) { return f.error; }));
}

int FindingList::warnings() const {
  return static_cast<int>(findings_.size()) - errors();
}

FindingList check_descriptions(const BuildRequest& request, Scenario* checked) {
  FindingList list;
  Scenario s = memorizza_percorso(request, &list);
  if (checked != nullptr) *checked = std::move(s);
  // Up to its first code a compile takes the very steps of the check, so its error is
  // among the check's; one that is not is added, so that the check never passes a pair
  // the compile refuses.
  list.mark_reported(memorizza_percorso(request).errors);
  return list;
}

}  // namespace tracciato
