#include "compile/header_texts.h"

#include <string>

#include "compile/check_hooks.h"
#include "compile/field_values.h"
#include "model/error_codes.h"

namespace tracciato {

namespace {

std::string too_long(std::string_view what, std::size_t bytes) {
  return std::string(what) + " is " + thousands(static_cast<std::int64_t>(bytes)) +
         " bytes long; a header record holds a text of " +
         thousands(static_cast<std::int64_t>(kLongestRecordText)) + " bytes at most";
}

ErrorState overlong(std::string_view what, std::size_t bytes, const SourceLocation& at) {
  ErrorState e;
  e.record(error_code::kUnexpectedFailure, too_long(what, bytes), at);
  return e;
}

}  // namespace

void store_header_text(Scenario& s, std::string_view text, std::string_view what,
                       const SourceLocation& at) {
  if (text.size() <= kLongestRecordText) return;
  ErrorState e = overlong(what, text.size(), at);
  if (tell_checker(s.observer, e)) return;
  if (!s.overlong_text) s.overlong_text = std::move(e);
}

void refuse_overlong_texts(Scenario& s) {
  if (s.overlong_text && !checking(s.observer)) s.errors = *s.overlong_text;
  // The names come from the command line, and name the files as well: no row to point at.
  const auto name = [&](const std::string& text, std::string_view what) {
    if (s.errors.failed() || text.size() <= kLongestRecordText) return;
    s.errors = overlong(what, text.size(), {});
    tell_checker(s.observer, s.errors);
  };
  name(s.base_name, "the base name");
  name(s.train_number, "the train number");
}

}  // namespace tracciato
