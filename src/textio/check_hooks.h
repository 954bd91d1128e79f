#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/check_observer.h"
#include "textio/field_reader.h"

namespace tracciato {

// A compiler's hooks for the checker. Without an observer every call is inert, so the
// compile keeps its own rules; with one, each recorded code is told, cleared and its row
// skipped, so that reading goes on to the next problem.
class CheckHooks {
 public:
  CheckHooks(CheckObserver* observer, ErrorState& errors, FieldReader& reader,
             const std::string& path)
      : observer_(observer), errors_(errors), reader_(reader), path_(path) {}

  bool active() const { return observer_ != nullptr; }
  // Tells the recorded code and clears it; true when checking.
  bool report();
  // report(), then skips what is left of the row's line.
  bool skip_row(int row_line);
  void warn(int line, std::optional<std::int32_t> position, const std::string& message) const;
  // A line's first field that names no row kind: a mistyped keyword, skipped silently
  // by the compile.
  void unknown_keyword(std::string_view field, bool starts_line, int line) const;
  // A position off the 50 m grid, which goes to the nearest cell boundary.
  void warn_off_grid(int line, const char* what, std::int32_t p) const;
  // A row that does not come after the previous one of its kind; `last` follows the rows.
  void warn_out_of_order(int line, const char* kind, std::int32_t p,
                         std::optional<std::int32_t>& last) const;

  // Runs one row. When checking, an unexpected failure in it is told as 25 and the row
  // skipped; `fallback` is then the row's result.
  template <typename F, typename R>
  R row(int row_line, F&& f, R fallback) {
    if (!active()) return f();
    try {
      return f();
    } catch (const UnexpectedFailure& failure) {
      errors_.record(25, failure.what(),
                     {path_, reader_.at_end() ? reader_.current_line() : reader_.field_line()});
      skip_row(row_line);
      return fallback;
    }
  }

 private:
  CheckObserver* observer_;
  ErrorState& errors_;
  FieldReader& reader_;
  const std::string& path_;
};

}  // namespace tracciato
