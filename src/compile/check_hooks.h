#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/check_observer.h"
#include "model/error_codes.h"
#include "textio/field_reader.h"

namespace tracciato {

// Tells a checker the code just recorded and clears it, so the compile goes on as if it
// had not been; false, and nothing done, for a compile or when no code stands.
bool tell_checker(CheckObserver* observer, ErrorState& errors);

// A compiler's hooks for the checker. Without an observer every call is inert, so the
// compile keeps its own rules; with one, each recorded code is told, cleared and its row
// skipped, so that reading goes on to the next problem.
class CheckHooks {
 public:
  CheckHooks(CheckObserver* observer, ErrorState& errors, FieldReader& reader,
             const std::string& path)
      : observer_(observer), errors_(errors), reader_(reader), path_(path) {}

  bool active() const { return observer_ != nullptr; }
  // The row whose keyword the reader has just read; diagnostics name its line.
  void begin_row() {
    row_line_ = reader_.field_line();
    row_starts_line_ = reader_.field_starts_line();
  }
  int row_line() const { return row_line_; }
  // Tells the recorded code and clears it; true when checking.
  bool report();
  // report(), then skips what is left of the row's line.
  bool skip_row();
  void warn(const std::string& message, std::optional<std::int32_t> position = {}) const {
    warn_at(row_line_, position, message);
  }
  // A warning about the whole file.
  void warn_file(const std::string& message) const { warn_at(0, std::nullopt, message); }
  // A row keyword that names no row kind of its section: a mistyped keyword, skipped
  // silently by the compile. Only the first field of a line counts as one.
  void unknown_keyword(std::string_view field) const;
  // A position off the 50 m grid, which goes to the nearest cell boundary.
  void warn_off_grid(const char* what, std::int32_t p) const;
  // A name or text saved as UTF-8, which the simulator shows byte for byte.
  void warn_utf8(const char* what, std::string_view text) const;
  // A row that does not come after the previous one of its kind; `last` follows the rows.
  void warn_out_of_order(const char* kind, std::int32_t p, std::optional<std::int32_t>& last) const;

  // Runs one row. When checking, an unexpected failure in it is told as 25 and the row
  // skipped; `fallback` is then the row's result.
  template <typename F, typename R>
  R row(F&& f, R fallback) {
    if (!active()) return f();
    try {
      return f();
    } catch (const UnexpectedFailure& failure) {
      errors_.record(error_code::kUnexpectedFailure, failure.what(),
                     {path_, reader_.at_end() ? reader_.current_line() : reader_.field_line()});
      skip_row();
      return fallback;
    }
  }

 private:
  void warn_at(int line, std::optional<std::int32_t> position, const std::string& message) const;

  CheckObserver* observer_;
  ErrorState& errors_;
  FieldReader& reader_;
  const std::string& path_;
  int row_line_ = 0;
  bool row_starts_line_ = false;
};

// The keyword of the next row: the next field, or the field after up to `comment_skips`
// fields that hold "-". Nothing at the end of the file; with `end_in_comments` false, as
// in the general section, the skipped fields are read without looking for the end.
std::optional<std::string_view> read_row_keyword(FieldReader& reader, int comment_skips,
                                                 bool end_in_comments = true);

}  // namespace tracciato
