#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
  // The row whose keyword the reader has just read in `section`; diagnostics name its
  // fields. Its kind is looked up only when a diagnostic needs it, so that a compile
  // without warnings does not pay for it.
  void begin_row(std::string_view keyword, Section section);
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
  void warn(std::size_t k, const std::string& message, std::optional<std::int32_t> position = {},
            const std::string& hint = {}) const;
  // A warning at field `k` of the row, with notes at the other rows it concerns.
  void warn_noted(std::size_t k, const std::string& message, std::vector<Note> notes) const;
  // A warning at a place of the file of its own.
  void warn_at(const SourceLocation& at, std::optional<std::int32_t> position,
               const std::string& message, const std::string& hint = {}) const;
  // A warning about the whole file.
  void warn_file(const std::string& message) const;
  // A row keyword that names no row kind of its section: a mistyped keyword, skipped
  // silently by the compile. Only the first field of a line counts as one.
  void unknown_keyword(std::string_view field) const;
  // Descriptions are Windows-1252; a byte-order mark says the file was saved as UTF-8.
  void warn_byte_order_mark(std::string_view text) const;
  // A position off the 50 m grid, which goes to the nearest cell boundary.
  void warn_off_grid(const char* what, std::int32_t p) const;
  // A name or text saved as UTF-8, which the simulator shows byte for byte.
  void warn_utf8(std::size_t k, const char* what, std::string_view text) const;
  // A row that does not come after the previous one of its kind; `last` follows the rows.
  void warn_out_of_order(const char* kind, std::int32_t p, std::optional<std::int32_t>& last) const;

  // What the simulator gets other than what the row plainly says (row_warnings.cpp).
  // The keyword of the next row, as read_row_keyword gives it; a comment field skipped on
  // the way that is a keyword with a hyphen (`indicatori-vmax`) is told: its row is lost.
  std::optional<std::string_view> read_keyword(int comment_skips, bool end_in_comments,
                                               Section section);
  // A keyword read in a way its author may not mean: one that names several row kinds, a
  // comment habit of another format, a curve or signal-repetition keyword beyond its form.
  void warn_keyword_reading(std::string_view keyword, Section section) const;
  // Field `k` of `row` as written, `v`, where the simulator gets another value.
  void warn_stored(RowId row, std::size_t k, std::int64_t v) const;
  // A text field that ended at a comma with more fields on its line: the text is cut there.
  // True when told, so that the row is not also told as too long.
  bool warn_text_cut(std::size_t k, std::string_view text);
  // An object that stands past the route's length, in the track's tail.
  void warn_in_tail(RowId row, std::int32_t p, std::int32_t route_length) const;
  // A file saved as UTF-16: error 25 recorded and told; no row of it can be read.
  bool refuse_utf16(std::string_view text);
  // The header line that looks like a misspelt "[generale]", when the reader found none.
  std::optional<SourceLocation> misspelt_general(std::string_view text) const;
  // A section header the writer never writes (`[generali]`, `[Pendenze]`).
  void warn_header(std::string_view field, Section section) const;

  // Fields by their names in the row table (field_diagnostics.cpp).
  // Where a field read earlier stands: a value the compile converts after its row.
  SourceLocation place(const FieldSpan& span) const;
  // The value `v` of the field just read lies beyond `low` to `high`: the failure, naming
  // the field.
  UnexpectedFailure beyond_field(std::int64_t v, std::int64_t low, std::int64_t high) const;

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

  void record_failure(UnexpectedFailure& failure);
  // A number field the reader refused, recorded with the field's name; a row that ran
  // short of fields recorded at that row. False for another failure.
  bool record_field_failure(const UnexpectedFailure& failure);
  void record_short_row(const RowKind& row, std::size_t k, std::size_t on_line,
                        const UnexpectedFailure& failure);
  // The row's last field, a number with more text after it or a comma inside it; true
  // when told, so that the row is not also told as too long.
  bool warn_number_end(std::size_t fields) const;
  void warn_more_text(const RowKind& row, std::size_t k, const FieldSpec& field, std::int64_t v,
                      std::string_view line) const;
  // Rows are read field by field: a row may take fields from the next line, or leave
  // some on its own.
  void end_row();
  // The note an error gets when a row that ran on into the next line lies behind it.
  // `previous`: the row before the one being read, when it ran on.
  void note_run_on_row(const std::optional<RunOnRow>& previous);

  std::optional<RunOnRow> run_on_row(std::size_t fields) const;
  // A keyword of the other description's rows, told so; false for none.
  bool other_description_row(std::string_view field) const;
  // A comment field that is a row's keyword with a hyphen in it.
  void warn_comment_keyword(std::string_view field, Section section) const;

  CheckObserver* observer_;
  ErrorState& errors_;
  FieldReader& reader_;
  const std::string& path_;
  std::string_view keyword_;
  Section section_ = Section::kTrain;
  mutable std::optional<const RowKind*> kind_;
  bool row_starts_line_ = false;
  // The row's text was cut at a comma and told so.
  bool text_cut_ = false;
  std::optional<RunOnRow> run_on_;
};

}  // namespace tracciato
