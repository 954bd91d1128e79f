// What the compile tells about a field by its name in the row table: a number it cannot
// read, a value that does not fit, a row that is short, more text after a number.
#include "compile/field_diagnostics.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "base/rounding.h"
#include "compile/check_hooks.h"
#include "compile/field_values.h"
#include "model/error_codes.h"

namespace tracciato {

namespace {

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string count_of(std::size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool all_digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "the position and the gradient", "the right digit 3, the timer and 2 more".
std::string names_of(const RowKind& row, std::size_t from, std::size_t to) {
  constexpr std::size_t kNamed = 3;
  std::vector<std::string> names;
  for (std::size_t k = from; k <= to; ++k)
    names.push_back("the " + std::string(row.fields[k - 1].name));
  if (names.size() > kNamed + 1) {
    const std::size_t more = names.size() - kNamed;
    names.resize(kNamed);
    names.push_back(std::to_string(more) + " more");
  }
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
    list += names[i];
  }
  return list;
}

// "gradients are whole per mille".
std::string whole_in_unit(const FieldSpec& field) {
  if (field.unit == "per mille") return "gradients are whole per mille";
  if (field.unit == "km/h") return "speeds are whole km/h";
  if (field.unit == "m") return "positions and lengths are whole metres";
  return "the " + std::string(field.name) + " is a whole number";
}

// Whether nothing but blanks follows the field on its line.
bool ends_its_line(std::string_view line, const FieldSpan& span) {
  const auto from = static_cast<std::size_t>(span.end_column - 1);
  return from >= line.size() || trimmed(line.substr(from)).empty();
}

std::int64_t number_in(std::string_view line, const FieldSpan& span) {
  const auto from = static_cast<std::size_t>(span.column - 1);
  const std::string_view text =
      line.substr(from, static_cast<std::size_t>(span.end_column - span.column));
  std::int64_t v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

// "8 km/h", or "8 km/h, stored as 10 km/h" where the simulator gets another value.
std::string read_and_stored(const FieldSpec& field, std::int64_t v) {
  std::string told = with_unit(v, field.unit);
  const auto stored = stored_in_unit(field, v);
  if (stored && *stored != v) told += ", stored as " + with_unit(*stored, field.unit);
  return told;
}

}  // namespace

std::string with_unit(std::int64_t v, std::string_view unit) {
  return thousands(v) + (unit.empty() ? "" : " " + std::string(unit));
}

std::optional<std::int64_t> stored_in_unit(const FieldSpec& field, std::int64_t v) {
  switch (field.storage) {
    case Storage::kDividedBy5:
    case Storage::kPlus100Low8:
    case Storage::kLow8:
    case Storage::kLow16:
      return stored_value(field, v)->value;
    default:
      return std::nullopt;
  }
}

std::string row_form(const RowKind& row) {
  // A long row is told by its count: its names would not help an author count fields.
  constexpr std::size_t kNamedFields = 11;
  if (row.fields.size() > kNamedFields) {
    const bool text = row.fields.back().storage == Storage::kText;
    const std::size_t numbers = row.fields.size() - (text ? 1 : 0);
    return std::string(row.keyword) + " and " + std::to_string(numbers) + " numbers" +
           (text ? ", then its " + std::string(row.fields.back().name) : std::string());
  }
  std::string form(row.keyword);
  for (const FieldSpec& field : row.fields) {
    form += ", " + std::string(field.word.empty() ? field.name : field.word);
  }
  return form;
}

std::string field_number_hint(const FieldSpec* field, std::string_view text) {
  const NumberReading reading = likely_number(text);
  if (field != nullptr && reading.mistake == NumberReading::Mistake::kDecimal) {
    return whole_in_unit(*field) + (reading.meant.empty() ? "" : ": write " + reading.meant);
  }
  return number_hint(reading);
}

UnexpectedFailure recorded_failure(const ErrorState& errors) {
  UnexpectedFailure failure(errors.explanation);
  failure.recorded = true;
  return failure;
}

SourceLocation CheckHooks::place(const FieldSpan& span) const {
  return located(path_, span.line, span.column, span.end_column, reader_.line_text(span));
}

UnexpectedFailure CheckHooks::beyond_field(std::int64_t v, std::int64_t low,
                                           std::int64_t high) const {
  const RowKind* row = kind();
  const std::size_t k = reader_.row_fields_read() - 1;
  const FieldSpec* field = row != nullptr ? field_of(*row, k) : nullptr;
  const std::string_view unit = field != nullptr ? field->unit : std::string_view();
  const std::string what = row != nullptr ? field_phrase(*row, k) : std::string("the value");
  return UnexpectedFailure(what + ", " + with_unit(v, unit) + ", is beyond what its field holds, " +
                           thousands(low) + " to " + with_unit(high, unit));
}

bool CheckHooks::record_field_failure(const UnexpectedFailure& failure) {
  using F = UnexpectedFailure::Field;
  const RowKind* row = failure.field == F::kNone ? nullptr : kind();
  if (row == nullptr) return false;
  const bool ended = failure.field == F::kEndOfFile;
  // The field it met: the last one read, or at the end of the file the one after them.
  const std::size_t read = reader_.row_fields_read();
  const std::size_t k = ended ? read : read - 1;
  const std::size_t takes = row->fields.size();
  if (k == 0 || k > takes) return false;
  const FieldSpan failed = ended ? reader_.end_span() : reader_.row_field(k);
  std::size_t on_line = 0;
  for (std::size_t i = 1; i < k; ++i) on_line += reader_.row_field(i).line == row_line() ? 1 : 0;
  if (ended || failed.line > row_line()) {
    record_short_row(*row, k, on_line, failure);
    return true;
  }
  const FieldSpec& field = row->fields[k - 1];
  const std::string_view line = reader_.line_text(failed);
  if (failure.field == F::kNotANumber && k < takes &&
      row->fields.back().storage == Storage::kText && ends_its_line(line, failed) &&
      likely_number(failure.field_text).mistake == NumberReading::Mistake::kUnknown) {
    const std::size_t missing = takes - k;
    errors_.record(error_code::kUnexpectedFailure,
                   "the " + std::string(row->name) + " has " + count_of(k, "field") +
                       " on its line but takes " + std::to_string(takes) + ": " +
                       (missing == 1 ? "a number is" : count_of(missing, "number") + " are") +
                       " missing, so the compile reads its " +
                       std::string(row->fields.back().name) + ", " +
                       quoted(trimmed(failure.field_text)) + ", as the " + std::string(field.name) +
                       ", which is not a whole number",
                   place(failed));
    errors_.hint = "the " + std::string(row->name) + " is: " + row_form(*row);
    return true;
  }
  const std::string value =
      failure.field == F::kNotANumber ? quoted(failure.field_text) : failure.field_text;
  errors_.record(error_code::kUnexpectedFailure,
                 field_phrase(*row, k) + ", " + value +
                     (failure.field == F::kNotANumber
                          ? ", is not a whole number"
                          : ", is beyond what a field of 32 bits holds, -2,147,483,648 to "
                            "2,147,483,647"),
                 place(failed));
  errors_.hint = failure.field == F::kNotANumber ? field_number_hint(&field, failure.field_text)
                                                 : std::string();
  return true;
}

void CheckHooks::record_short_row(const RowKind& row, std::size_t k, std::size_t on_line,
                                  const UnexpectedFailure& failure) {
  const std::size_t takes = row.fields.size();
  const bool ended = failure.field == UnexpectedFailure::Field::kEndOfFile;
  const std::string missing = names_of(row, on_line + 1, takes);
  const bool one = on_line + 1 == takes;
  std::string reads;
  for (std::size_t i = on_line + 1; i < k; ++i) {
    reads += (reads.empty() ? "the compile reads the " : ", the ") +
             std::string(row.fields[i - 1].name) + " from line " +
             std::to_string(reader_.row_field(i).line);
  }
  const std::string failed_name = "the " + std::string(row.fields[k - 1].name);
  std::string tail;
  if (ended) {
    tail = (reads.empty() ? "" : reads + "; ") + "the file ends before " + failed_name;
  } else {
    tail = (reads.empty() ? "the compile reads " + (one ? std::string("it") : failed_name)
                          : reads + " and " + failed_name) +
           " from line " + std::to_string(reader_.row_field(k).line) + ", " +
           quoted(trimmed(failure.field_text)) +
           (failure.field == UnexpectedFailure::Field::kNotANumber
                ? ", which is not a whole number"
                : ", which is beyond a field of 32 bits");
  }
  // The caret stands where the missing fields belong: past the row's text.
  const FieldSpan& row_start = reader_.row_field(0);
  const std::string_view row_text = reader_.line_text(row_start);
  const int past = static_cast<int>(row_text.size()) + 1;
  const SourceLocation at = located(path_, row_start.line, past, past + 1, row_text);
  errors_.record(error_code::kUnexpectedFailure,
                 "the " + std::string(row.name) + " has " + count_of(on_line, "field") +
                     " on its line but takes " + std::to_string(takes) + ": " + missing +
                     (one ? " is" : " are") + " missing, and " + tail,
                 at);
  if (!ended) {
    errors_.add_note(
        "the compile reads " + failed_name + " of the " + std::string(row.name) + " from here",
        place(reader_.row_field(k)));
  }
  // A tab that joined two fields is the likely reason the row is short.
  errors_.hint = at.source.find('\t') != std::string::npos
                     ? std::string(kTabHint)
                     : "the " + std::string(row.name) + " is: " + row_form(row);
}

bool CheckHooks::warn_number_end(std::size_t fields) const {
  if (fields < 2) return false;
  const std::size_t k = fields - 1;
  const FieldSpan& span = reader_.row_field(k);
  // Asked at every row while warnings are heard: the common row leaves at once.
  if (!span.number || (!span.more_text && reader_.fields_left_on_line() != 1)) return false;
  // A comma inside a number has digits on both sides: "2,5", not "2, 5".
  const std::string_view line = reader_.line_text(span);
  const std::string_view stray = trimmed(reader_.rest_of_line());
  const auto end = static_cast<std::size_t>(span.end_column - 1);
  if (!span.more_text && (!all_digits(stray) || end >= line.size() || line[end] != ',' ||
                          reader_.rest_of_line().front() == ' ')) {
    return false;
  }
  const RowKind* row = kind();
  const FieldSpec* field = row != nullptr ? field_of(*row, k) : nullptr;
  if (field == nullptr) return false;
  const std::int64_t v = number_in(line, span);
  if (span.more_text) {
    warn_more_text(*row, k, *field, v, line);
    return true;
  }
  const bool thousands = stray.size() == 3 && (field->unit == "m" || field->unit.empty());
  SourceLocation at = place(span);
  at.end_column = static_cast<int>(line.find_last_not_of(' ')) + 2;
  warn_at(at, std::nullopt,
          field_phrase(*row, k) + ", " + quoted(std::to_string(v) + "," + std::string(stray)) +
              ", is read as " + read_and_stored(*field, v) + " and a stray field " + quoted(stray) +
              ": " + (thousands ? "a comma ends a field" : "a decimal comma ends the field"),
          thousands ? "numbers take no thousands separator: write " + std::to_string(v) +
                          std::string(stray)
                    : field_number_hint(field, std::to_string(v) + "." + std::string(stray)));
  return true;
}

void CheckHooks::warn_more_text(const RowKind& row, std::size_t k, const FieldSpec& field,
                                std::int64_t v, std::string_view line) const {
  const FieldSpan& span = reader_.row_field(k);
  auto from = static_cast<std::size_t>(span.end_column - 1);
  while (from < line.size() && line[from] == ' ') ++from;
  const std::size_t to = std::min(line.find(',', from), line.size());
  const std::string_view rest = trimmed(line.substr(from, to - from));
  SourceLocation at = place(span);
  at.end_column = static_cast<int>(from + rest.size()) + 1;
  const RowKind* next = named_kind(section_, rest);
  std::string hint;
  if (all_digits(rest) && rest.size() == 3) {
    hint = "numbers take no thousands separator: write " + std::to_string(v) + std::string(rest);
  } else if (all_digits(rest)) {
    hint = "a blank ends a number: write " + std::to_string(v) + std::string(rest) +
           " if one number is meant";
  } else {
    hint = "write the number alone and end the field with a comma or the line";
  }
  warn_at(at, std::nullopt,
          field_phrase(row, k) + " is read as " + read_and_stored(field, v) + "; the " +
              quoted(rest) + " after it is read as the next field, " +
              (next != nullptr ? "the keyword of " + std::string(next->name)
                               : std::string("a keyword that names no row kind")),
          hint);
}

}  // namespace tracciato
