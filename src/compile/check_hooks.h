#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "compile/row_kinds.h"
#include "model/check_observer.h"
#include "model/error_codes.h"
#include "textio/field_reader.h"

namespace tracciato {

// What to tell an author whose text was saved as UTF-8.
inline constexpr std::string_view kUtf8Hint =
    "descriptions are Windows-1252: save the file in that encoding (CITT\xC0 saved as UTF-8 "
    "would be stored as CITT\xC3\x80)";

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

  // Whether warnings are heard.
  bool active() const { return observer_ != nullptr; }
  // Whether the compile goes on past its codes, for a checker.
  bool checking() const { return tracciato::checking(observer_); }
  // The row whose keyword the reader has just read; diagnostics name its fields.
  // `kind_of` tells the kind a keyword names, nothing for none; it is asked only when a
  // diagnostic needs the kind, so that a compile without warnings does not pay for it.
  using KindOf = const RowKind* (*)(std::string_view keyword);
  void begin_row(std::string_view keyword, KindOf kind_of);
  const RowKind* kind() const;
  int row_line() const { return reader_.row_field(0).line; }
  // Field `k` of the row (0: its keyword), as a place a diagnostic points at.
  SourceLocation at(std::size_t k) const;
  // The whole row's line.
  SourceLocation row_place() const;
  SourceLocation whole_file() const { return {path_, 0, 0, 0, {}}; }
  // Tells the recorded code and clears it; true when checking.
  bool report();
  // report(), then skips what is left of the row's line.
  bool skip_row();
  // A warning at field `k` of the row.
  void warn(std::size_t k, const std::string& message,
            std::optional<std::int32_t> position = {}) const;
  // A warning about the whole file.
  void warn_file(const std::string& message) const;
  // A row keyword that names no row kind of its section: a mistyped keyword, skipped
  // silently by the compile. Only the first field of a line counts as one.
  void unknown_keyword(std::string_view field, Section section) const;
  // Descriptions are Windows-1252; a byte-order mark says the file was saved as UTF-8.
  void warn_byte_order_mark(std::string_view text) const;
  // A position off the 50 m grid, which goes to the nearest cell boundary.
  void warn_off_grid(const char* what, std::int32_t p) const;
  // A name or text saved as UTF-8, which the simulator shows byte for byte.
  void warn_utf8(std::size_t k, const char* what, std::string_view text) const;
  // A row that does not come after the previous one of its kind; `last` follows the rows.
  void warn_out_of_order(const char* kind, std::int32_t p, std::optional<std::int32_t>& last) const;

  // Runs one row. An unexpected failure in it is recorded as 25 at the field it met;
  // when checking it is told and the row skipped, `fallback` then being the row's result.
  template <typename F, typename R>
  R row(F&& f, R fallback) {
    try {
      R result = f();
      end_row();
      return result;
    } catch (UnexpectedFailure& failure) {
      record_failure(failure);
      if (!checking()) throw;
      skip_row();
      return fallback;
    }
  }

 private:
  // A row that took fields from the lines after it.
  struct RunOnRow {
    SourceLocation at;
    std::string_view kind;
    std::size_t on_its_line = 0;
    std::size_t read = 0;
    int last_line = 0;
  };

  void warn_at(const SourceLocation& at, std::optional<std::int32_t> position,
               const std::string& message) const;
  void record_failure(UnexpectedFailure& failure);
  // Rows are read field by field: a row may take fields from the next line, or leave
  // some on its own.
  void end_row();
  // The note an error gets when a row that ran on into the next line lies behind it.
  // `previous`: the row before the one being read, when it ran on.
  void note_run_on_row(const std::optional<RunOnRow>& previous);

  std::optional<RunOnRow> run_on_row(std::size_t fields) const;

  CheckObserver* observer_;
  ErrorState& errors_;
  FieldReader& reader_;
  const std::string& path_;
  std::string_view keyword_;
  KindOf kind_of_ = nullptr;
  mutable std::optional<const RowKind*> kind_;
  bool row_starts_line_ = false;
  std::optional<RunOnRow> run_on_;
};

// The keyword of the next row: the next field, or the field after up to `comment_skips`
// fields that hold "-". Nothing at the end of the file; with `end_in_comments` false, as
// in the general section, the skipped fields are read without looking for the end.
std::optional<std::string_view> read_row_keyword(FieldReader& reader, int comment_skips,
                                                 bool end_in_comments = true);

}  // namespace tracciato
