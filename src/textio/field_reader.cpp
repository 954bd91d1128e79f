#include "textio/field_reader.h"

#include <string>

#include "base/unexpected_failure.h"

namespace tracciato {

namespace {
constexpr std::int64_t kLimit = std::int64_t{1} << 31;

std::string shown(std::string_view s) {
  constexpr std::size_t kMax = 40;
  return "\"" + std::string(s.substr(0, kMax)) + (s.size() > kMax ? "...\"" : "\"");
}
}  // namespace

void FieldReader::begin_field() {
  field_line_ = line_;
  field_starts_line_ = pos_ == 0 || data_[pos_ - 1] == '\n' || data_[pos_ - 1] == '\r';
  if (at_end()) throw UnexpectedFailure("a field is read past the end of the file");
}

void FieldReader::skip_blanks() {
  while (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
}

bool FieldReader::at_line_end() const {
  return pos_ < data_.size() && (data_[pos_] == '\r' || data_[pos_] == '\n');
}

void FieldReader::consume_field_end() {
  if (pos_ >= data_.size()) return;
  if (data_[pos_] == ',') {
    ++pos_;
  } else if (data_[pos_] == '\r') {
    ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    ++line_;
  } else if (data_[pos_] == '\n') {
    ++pos_;
    ++line_;
  }
}

std::string_view FieldReader::read_text() {
  begin_field();
  skip_blanks();
  const std::size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && !at_line_end()) ++pos_;
  const std::string_view field = data_.substr(start, pos_ - start);
  consume_field_end();
  return field;
}

std::int32_t FieldReader::read_number() {
  begin_field();
  skip_blanks();
  const std::size_t start = pos_;
  const bool negative = pos_ < data_.size() && data_[pos_] == '-';
  if (negative) ++pos_;
  std::int64_t value = 0;
  const std::size_t digits_start = pos_;
  while (pos_ < data_.size() && data_[pos_] >= '0' && data_[pos_] <= '9') {
    value = value * 10 + (data_[pos_] - '0');
    if (value > kLimit) value = kLimit + 1;  // saturate: already out of range
    ++pos_;
  }
  const bool has_digits = pos_ > digits_start;
  const bool ends_well =
      pos_ >= data_.size() || data_[pos_] == ',' || data_[pos_] == ' ' || at_line_end();
  if (!ends_well || (negative && !has_digits)) {
    std::size_t stop = pos_;
    while (stop < data_.size() && data_[stop] != ',' && data_[stop] != '\r' && data_[stop] != '\n')
      ++stop;
    throw UnexpectedFailure("the numeric field " + shown(data_.substr(start, stop - start)) +
                            " is not a whole number");
  }
  if (negative) value = -value;
  if (value < -kLimit || value >= kLimit) {
    throw UnexpectedFailure("the number " + std::string(data_.substr(start, pos_ - start)) +
                            " does not fit a 32-bit integer");
  }
  skip_blanks();
  if (pos_ < data_.size() && (data_[pos_] == ',' || at_line_end())) consume_field_end();
  return static_cast<std::int32_t>(value);
}

void FieldReader::skip_rest_of_line(int line) {
  if (line_ != line) return;
  while (pos_ < data_.size() && !at_line_end()) ++pos_;
  consume_field_end();
}

int FieldReader::current_line() const {
  if (at_end() && !data_.empty() && (data_.back() == '\n' || data_.back() == '\r')) {
    return line_ - 1;
  }
  return line_;
}

}  // namespace tracciato
