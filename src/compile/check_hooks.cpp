#include "compile/check_hooks.h"

#include <utility>

#include "base/cp1252.h"
#include "base/edit_distance.h"
#include "compile/row_checks.h"
#include "model/positions.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {

std::string plural(std::size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string kind_name(const RowKind* kind) {
  return kind != nullptr ? std::string(kind->name) : std::string("row");
}

}  // namespace

bool tell_checker(CheckObserver* observer, ErrorState& errors) {
  if (!checking(observer) || !errors.failed()) return false;
  observer->error(errors);
  errors.reset();
  return true;
}

void CheckHooks::begin_row(std::string_view keyword, Section section) {
  reader_.begin_row();
  keyword_ = keyword;
  section_ = section;
  kind_.reset();
  text_cut_ = false;
  row_starts_line_ = reader_.field_starts_line();
  if (!active()) return;
  // A keyword as the writer writes it names its own kind alone: most rows are told apart
  // by that, without testing every kind's words.
  const RowKind* written = written_kind(section, keyword);
  if (written != nullptr) kind_ = written;
  const RowKind* kind = this->kind();
  if (kind == nullptr) return;
  // A tab in a number field is refused with its own hint; in the keyword it is told here.
  if (keyword.find('\t') != std::string_view::npos) {
    observer_->warning({at(0), std::nullopt,
                        "the " + std::string(kind->name) + " holds a tab, which is no separator",
                        std::string(kTabHint)});
  }
  if (written == nullptr) warn_keyword_reading(keyword, section);
}

const RowKind* CheckHooks::kind() const {
  if (!kind_) kind_ = named_kind(section_, keyword_);
  return *kind_;
}

SourceLocation CheckHooks::at(std::size_t k) const {
  const FieldSpan& span = reader_.row_field(k);
  return located(path_, span.line, span.column, span.end_column, reader_.line_text(span));
}

SourceLocation CheckHooks::row_place() const {
  SourceLocation place = at(0);
  place.column = 0;
  place.end_column = 0;
  return place;
}

bool CheckHooks::report() {
  if (!checking()) return false;
  note_run_on_row(run_on_);
  tell_checker(observer_, errors_);
  return true;
}

bool CheckHooks::skip_row() {
  if (!report()) return false;
  reader_.skip_rest_of_line(reader_.field_line());
  return true;
}

void CheckHooks::record_failure(UnexpectedFailure& failure) {
  // Recorded already at the row that holds the value.
  if (failure.recorded) return;
  if (!record_field_failure(failure)) {
    const FieldSpan span = reader_.failure_span();
    errors_.record(error_code::kUnexpectedFailure, failure.what(), place(span));
    errors_.hint = failure.hint;
  }
  if (!failure.note.empty()) errors_.add_note(failure.note);
  failure.recorded = true;
  if (!checking()) note_run_on_row(run_on_);
}

std::optional<CheckHooks::RunOnRow> CheckHooks::run_on_row(std::size_t fields) const {
  const int line = reader_.row_field(0).line;
  // Fields only move on through the text: a row ran on when its last field is on a
  // later line. Asked at every row, so the common answer costs no loop.
  const int last_line = fields > 1 ? reader_.row_field(fields - 1).line : line;
  if (last_line == line) return std::nullopt;
  std::size_t on_its_line = 0;
  for (std::size_t k = 1; k < fields; ++k) {
    if (reader_.row_field(k).line == line) ++on_its_line;
  }
  const RowKind* row_kind = kind();
  return RunOnRow{row_place(), row_kind != nullptr ? row_kind->name : "row", on_its_line,
                  fields - 1, last_line};
}

void CheckHooks::end_row() {
  const std::size_t fields = reader_.row_fields_read();
  const std::optional<RunOnRow> previous = std::exchange(run_on_, run_on_row(fields));
  // A compile stops at the error its row left standing; a check has told it already.
  if (!checking()) note_run_on_row(previous);
  if (!active()) return;
  if (run_on_) {
    warn_at(run_on_->at, std::nullopt,
            "the " + kind_name(kind()) + " has only " + plural(run_on_->on_its_line, "field") +
                " on its line: the compile reads the other " +
                std::to_string(run_on_->read - run_on_->on_its_line) + " from line " +
                std::to_string(run_on_->last_line) +
                (run_on_->last_line - run_on_->at.line > 1 ? " and the lines before it" : ""));
  }
  const bool number_told = warn_number_end(fields);
  const int left = reader_.fields_left_on_line();
  // A row that read no field is one the compile leaves alone, curves without a plan say.
  if (left > 0 && !text_cut_ && !number_told && kind() != nullptr && fields > 1 &&
      reader_.row_field(fields - 1).line == row_line()) {
    warn_at(row_place(), std::nullopt,
            "the " + kind_name(kind()) + " has " + plural(fields - 1 + left, "field") +
                " but takes " + std::to_string(fields - 1) +
                ": the compile reads what follows them as a new row");
  }
}

void CheckHooks::note_run_on_row(const std::optional<RunOnRow>& previous) {
  const std::optional<RunOnRow> current = run_on_row(reader_.row_fields_read());
  const std::optional<RunOnRow>& row = current ? current : previous;
  if (!row || !errors_.failed() || errors_.where.path != path_) return;
  const int error_line = errors_.where.line;
  if (error_line <= row->at.line || error_line > row->last_line + 1) return;
  errors_.add_note("the " + std::string(row->kind) + " that begins here has only " +
                       plural(row->on_its_line, "field") +
                       " on its line and took the rest from the lines after it",
                   row->at);
}

void CheckHooks::warn_at(const SourceLocation& at, std::optional<std::int32_t> position,
                         const std::string& message, const std::string& hint) const {
  if (active()) observer_->warning({at, position, message, hint});
}

void CheckHooks::warn(std::size_t k, const std::string& message,
                      std::optional<std::int32_t> position, const std::string& hint) const {
  if (active()) warn_at(at(k), position, message, hint);
}

void CheckHooks::warn_noted(std::size_t k, const std::string& message,
                            std::vector<Note> notes) const {
  if (active()) observer_->warning({at(k), std::nullopt, message, {}, std::move(notes)});
}

void CheckHooks::warn_file(const std::string& message) const {
  warn_at(whole_file(), std::nullopt, message);
}

void CheckHooks::warn_byte_order_mark(std::string_view text) const {
  if (active() && text.starts_with("\xEF\xBB\xBF")) {
    observer_->warning({whole_file(), std::nullopt, "the file begins with a UTF-8 byte-order mark",
                        std::string(kUtf8Hint)});
  }
}

void CheckHooks::warn_off_grid(const char* what, std::int32_t p) const {
  if (active() && !on_cell_grid(p)) {
    warn(1,
         std::string(what) + " at " + metres(p) +
             " is not on a multiple of 50 m: it is placed at the nearest cell boundary, " +
             metres(static_cast<std::int64_t>(round_half_even(static_cast<double>(p) / 50)) * 50),
         p);
  }
}

void CheckHooks::warn_utf8(std::size_t k, const char* what, std::string_view text) const {
  if (active() && looks_like_utf8(text)) {
    observer_->warning({at(k), std::nullopt,
                        std::string(what) + " \"" + std::string(text) +
                            "\" is UTF-8 text, which the simulator shows byte for byte",
                        std::string(kUtf8Hint)});
  }
}

void CheckHooks::warn_out_of_order(const char* kind, std::int32_t p,
                                   std::optional<std::int32_t>& last) const {
  if (active() && last && p <= *last) {
    warn(1,
         std::string("the ") + kind + " row at " + metres(p) +
             " does not come after the previous one at " + metres(*last),
         p);
  }
  last = p;
}

}  // namespace tracciato
