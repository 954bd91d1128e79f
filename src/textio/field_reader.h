#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/unexpected_failure.h"

namespace tracciato {

// What to tell an author who separated fields with a tab.
inline constexpr std::string_view kTabHint =
    "fields are separated by commas and spaces; this is a tab";

// Where a field lies: its line, and its byte columns as C compilers count them.
struct FieldSpan {
  int line = 1;
  int column = 1;      // 1-based, where the field's text starts, past its leading blanks
  int end_column = 1;  // one past its last byte
  std::size_t line_start = 0;
  // Read as a number; and such a number that ended at a blank with more text after it in
  // its field, which the reader then takes as the next field.
  bool number = false;
  bool more_text = false;
};

// What an author most likely meant by a number field the reader refuses.
struct NumberReading {
  enum class Mistake {
    kUnknown,
    kTab,        // a tab where a blank or comma belongs
    kPlusSign,   // "+5"
    kTimeOfDay,  // "14:10:00": three fields in one
    kLetterO,    // "1O0": the letter O for a zero
    kThousands,  // "10.000", "10'000": a thousands separator
    kDecimal,    // "2.5": a decimal point
    kUnit,       // "80km/h": the unit written after the number
  };
  Mistake mistake = Mistake::kUnknown;
  // The field as the author likely meant it: "100", "10000", "14, 10, 0"; for a decimal,
  // the whole numbers beside it: "2 or 3".
  std::string meant;
};
NumberReading likely_number(std::string_view field);
// The fix for a refused number field in a few words, whatever the field: "write 10000
// without the thousands separator". Empty when nothing likely is known.
std::string number_hint(const NumberReading& reading);

// Reads a description field by field. Fields end at a comma or a line end (CR LF, LF or
// CR); blanks are the space character only. The end of the file is reached when the read
// position is at the end of the data; reading a field there is an unexpected failure.
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  bool at_end() const { return pos_ >= data_.size(); }

  // Skips leading blanks and runs to the next comma or line end, which it consumes.
  // Trailing blanks stay in the field.
  std::string_view read_text();
  // Optional blanks, an optional minus sign and decimal digits; only blanks read 0.
  // Blanks after the number are skipped with the comma or line end that closes it.
  std::int32_t read_number();

  // Line (1-based) where the last field read began.
  int field_line() const { return field_line_; }
  // Whether the last field read was the first of its line.
  bool field_starts_line() const { return field_starts_line_; }
  // The fields of the current row: 0 is the field last read when the row began (its
  // keyword), 1 the next one, and so on. Past the fields read: the last one read.
  void begin_row();
  const FieldSpan& row_field(std::size_t k) const;
  std::size_t row_fields_read() const { return row_.size(); }
  // Where the reader stands when nothing more can be read: the end of the last line.
  FieldSpan end_span() const;
  // The bytes of the line a span lies on, without its line end.
  std::string_view line_text(const FieldSpan& span) const;
  // Fields still on the current line, when the last field read ended with a comma.
  int fields_left_on_line() const;
  // What is left of the current line from the read position, without the line end.
  std::string_view rest_of_line() const;
  // The span of the field an unexpected failure met: the last one read, or the end.
  FieldSpan failure_span() const { return at_end() ? end_span() : last_; }
  void locate(UnexpectedFailure& failure) const;
  // Moves past the end of `line` when the read position is still on it.
  void skip_rest_of_line(int line);
  // Line to name in a diagnostic for the current read position.
  int current_line() const;
  // Runs a compile over this reader, naming the line in any unexpected failure.
  template <typename F>
  auto locate_failures(F&& f) -> decltype(f()) {
    try {
      return f();
    } catch (UnexpectedFailure& failure) {
      if (failure.line == 0) locate(failure);
      throw;
    }
  }

 private:
  void begin_field();
  void end_field(std::size_t start, std::size_t stop, bool number = false, bool more_text = false);
  [[noreturn]] void refuse_number(std::size_t start);
  void skip_blanks();
  void consume_field_end();
  bool at_line_end() const;
  std::size_t line_end(std::size_t from) const;

  std::string_view data_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int field_line_ = 1;
  bool field_starts_line_ = true;
  std::size_t line_start_ = 0;
  FieldSpan last_;
  // Rows are short; a runaway comment line keeps only its first spans.
  static constexpr std::size_t kRowSpans = 64;
  std::vector<FieldSpan> row_;
  // Asked at every row: kept so that a line of a great many rows is scanned once, not
  // once a row. A line end found from `scanned_from_`, and the commas counted from
  // `counted_from_` to `counted_end_`.
  mutable std::size_t scanned_from_ = 1;
  mutable std::size_t scanned_end_ = 0;
  mutable std::size_t counted_from_ = 1;
  mutable std::size_t counted_end_ = 0;
  mutable int commas_counted_ = 0;
};

}  // namespace tracciato
