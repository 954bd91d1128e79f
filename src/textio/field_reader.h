#pragma once

#include <cstdint>
#include <string_view>

#include "base/unexpected_failure.h"

namespace tracciato {

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
      if (failure.line == 0) failure.line = at_end() ? current_line() : field_line();
      throw;
    }
  }

 private:
  void begin_field();
  void skip_blanks();
  void consume_field_end();
  bool at_line_end() const;

  std::string_view data_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int field_line_ = 1;
  bool field_starts_line_ = true;
};

}  // namespace tracciato
