#include "cli/findings.h"

namespace tracciato {

namespace {

Finding from_error(const ErrorState& e) {
  Finding f;
  static_cast<Diagnostic&>(f) = diagnostic_of(e);
  if (e.position_recorded) f.position = e.error_position;
  return f;
}

bool same_error(const Finding& a, const Finding& b) {
  return a.error && b.error && a.code == b.code && a.where.path == b.where.path &&
         a.where.line == b.where.line;
}

// The bytes a kept finding holds.
std::size_t footprint(const Finding& f) {
  std::size_t bytes = sizeof(Finding) + f.where.path.size() + f.where.source.size() +
                      f.message.size() + f.hint.size();
  for (const Note& note : f.notes) {
    bytes += sizeof(Note) + note.at.path.size() + note.at.source.size() + note.text.size();
  }
  return bytes;
}

}  // namespace

std::string mistake_key(const Finding& f) {
  std::string key = (f.error ? std::to_string(f.code) : "w") + "|" + f.where.path + "|";
  for (const char c : f.message) {
    if (c < '0' || c > '9') {
      key += c;
    } else if (key.back() != '#') {
      key += '#';
    }
  }
  return key;
}

void FindingList::error(const ErrorState& recorded) {
  add(from_error(recorded));
}

void FindingList::warning(const Warning& w) {
  Finding f;
  f.error = false;
  f.where = w.at;
  f.message = w.message;
  f.hint = w.hint;
  f.position = w.position;
  f.notes = w.notes;
  add(std::move(f));
}

void FindingList::file_problem(const std::string& path, const std::string& message) {
  Finding f;
  f.where.path = path;
  f.message = message;
  add(std::move(f));
}

void FindingList::expect_reported(const ErrorState& compile) {
  expected_.reset();
  expected_met_ = false;
  if (!compile.failed()) return;
  expected_ = from_error(compile);
  expected_->reported = true;
}

bool FindingList::is_reported(const Finding& f) const {
  return expected_ && !expected_met_ && same_error(f, *expected_);
}

void FindingList::add(Finding f) {
  ++(f.error ? errors_ : warnings_);
  if (is_reported(f)) {
    f.position = expected_->position;
    f.message = expected_->message;
    f.notes = expected_->notes;
    f.reported = true;
    expected_met_ = true;
  }
  if (stream_) stream_(f);
  std::string key = mistake_key(f);
  const auto known = mistakes_.find(key);
  if (known != mistakes_.end() && !f.reported && retention_.per_mistake &&
      mistake_kept_[known->second] >= *retention_.per_mistake) {
    ++mistake_counts_[known->second];
    if (f.error) ++errors_left_out_after_;
    return;
  }
  const bool full = findings_.size() >= retention_.findings || bytes_ >= retention_.bytes;
  if (full && !f.reported) {
    ++(f.error ? errors_not_kept_ : warnings_not_kept_);
    return;
  }
  keep(std::move(f), std::move(key), known == mistakes_.end());
}

void FindingList::keep(Finding f, std::string key, bool new_mistake) {
  std::size_t mistake = 0;
  if (new_mistake) {
    mistake = mistake_counts_.size();
    bytes_ += key.size() + sizeof(std::size_t);
    mistakes_.emplace(std::move(key), mistake);
    mistake_counts_.push_back(0);
    mistake_kept_.push_back(0);
  } else {
    mistake = mistakes_.at(key);
  }
  ++mistake_kept_[mistake];
  kept_.push_back({mistake, ++mistake_counts_[mistake], errors_left_out_after_});
  errors_left_out_after_ = 0;
  bytes_ += footprint(f) + sizeof(Kept);
  findings_.push_back(std::move(f));
}

void FindingList::finish() {
  if (!expected_ || expected_met_) return;
  Finding own = *expected_;
  expected_met_ = true;
  ++errors_;
  if (stream_) stream_(own);
  std::string key = mistake_key(own);
  const bool new_mistake = !mistakes_.contains(key);
  keep(std::move(own), std::move(key), new_mistake);
}

void check_descriptions(const BuildRequest& request, FindingList& list, Scenario* checked) {
  // Up to its first code a compile takes the very steps of the check, so its error is
  // among the check's; one that is not is added, so that the check never passes a pair
  // the compile refuses. The compile runs first, so that its error is marked as it is
  // met and the findings can go out as they come.
  list.expect_reported(memorizza_percorso(request).errors);
  Scenario s = memorizza_percorso(request, &list);
  list.finish();
  if (checked != nullptr) *checked = std::move(s);
}

FindingList check_descriptions(const BuildRequest& request, Scenario* checked) {
  FindingList list;
  check_descriptions(request, list, checked);
  return list;
}

}  // namespace tracciato
