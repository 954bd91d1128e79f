#include "compile/check_hooks.h"

#include "base/cp1252.h"
#include "model/positions.h"
#include "textio/keyword.h"

namespace tracciato {

bool tell_checker(CheckObserver* observer, ErrorState& errors) {
  if (observer == nullptr || !errors.failed()) return false;
  observer->error(errors);
  errors.reset();
  return true;
}

bool CheckHooks::report() {
  if (!active()) return false;
  tell_checker(observer_, errors_);
  return true;
}

bool CheckHooks::skip_row() {
  if (!report()) return false;
  reader_.skip_rest_of_line(row_line_);
  return true;
}

void CheckHooks::warn_at(int line, std::optional<std::int32_t> position,
                         const std::string& message) const {
  if (active()) observer_->warning({path_, line}, position, message);
}

void CheckHooks::unknown_keyword(std::string_view field) const {
  const bool header = contains_exact(field, "[") && contains_exact(field, "]");
  const bool comment = contains_exact(field, "-");
  if (!active() || !row_starts_line_ || header || comment || field.empty()) return;
  warn("\"" + std::string(field) + "\" names no row kind: the line is skipped");
}

void CheckHooks::warn_off_grid(const char* what, std::int32_t p) const {
  if (active() && !on_cell_grid(p)) {
    warn(std::string(what) + " at " + std::to_string(p) +
             " is not on a multiple of 50 m and goes to the nearest cell boundary",
         p);
  }
}

void CheckHooks::warn_utf8(const char* what, std::string_view text) const {
  if (active() && looks_like_utf8(text)) {
    warn(std::string(what) + " \"" + std::string(text) +
         "\" is UTF-8 text: descriptions are Windows-1252, and the simulator shows it as "
         "written here; save the file as Windows-1252");
  }
}

void CheckHooks::warn_out_of_order(const char* kind, std::int32_t p,
                                   std::optional<std::int32_t>& last) const {
  if (active() && last && p <= *last) {
    warn(std::string("the ") + kind + " row at " + std::to_string(p) +
             " does not come after the previous one at " + std::to_string(*last),
         p);
  }
  last = p;
}

std::optional<std::string_view> read_row_keyword(FieldReader& reader, int comment_skips,
                                                 bool end_in_comments) {
  if (reader.at_end()) return std::nullopt;
  std::string_view field = reader.read_text();
  if (reader.at_end()) return std::nullopt;
  for (int i = 0; i < comment_skips && contains_exact(field, "-"); ++i) {
    field = reader.read_text();
    if (end_in_comments && reader.at_end()) return std::nullopt;
  }
  return field;
}

}  // namespace tracciato
