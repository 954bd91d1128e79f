#include "textio/field_reader.h"

#include <cstring>
#include <string>

#include "base/unexpected_failure.h"

namespace tracciato {

namespace {
constexpr std::int64_t kLimit = std::int64_t{1} << 31;

std::string shown(std::string_view s) {
  constexpr std::size_t kMax = 40;
  return "\"" + std::string(s.substr(0, kMax)) + (s.size() > kMax ? "...\"" : "\"");
}
// The likely fix for a number field that is not a whole number.
std::string number_hint(std::string_view field) {
  if (field.find('\t') != std::string_view::npos) return std::string(kTabHint);
  if (field.find('.') != std::string_view::npos) {
    return "numbers are whole: the field's unit is small enough that none needs a decimal "
           "point";
  }
  if (!field.empty() && field.front() == '+') return "write the number without a plus sign";
  return {};
}

}  // namespace

void FieldReader::begin_field() {
  field_line_ = line_;
  field_starts_line_ = pos_ == 0 || data_[pos_ - 1] == '\n' || data_[pos_ - 1] == '\r';
  if (at_end()) {
    last_ = end_span();
    throw UnexpectedFailure(data_.empty() ? "the file is empty"
                                          : "the file ends where another field is expected");
  }
}

void FieldReader::end_field(std::size_t start, std::size_t stop) {
  last_ = {field_line_, static_cast<int>(start - line_start_) + 1,
           static_cast<int>(stop - line_start_) + 1, line_start_};
  if (row_.size() < kRowSpans) row_.push_back(last_);
}

void FieldReader::begin_row() {
  row_.clear();
  row_.push_back(last_);
}

const FieldSpan& FieldReader::row_field(std::size_t k) const {
  if (row_.empty()) return last_;
  return k < row_.size() ? row_[k] : row_.back();
}

FieldSpan FieldReader::end_span() const {
  std::size_t start = data_.size();
  while (start > 0 && data_[start - 1] != '\n' && data_[start - 1] != '\r') --start;
  std::size_t stop = data_.size();
  while (stop > start && (data_[stop - 1] == '\n' || data_[stop - 1] == '\r')) --stop;
  if (stop == start && start > 0) {
    // The file ends with a line end: point past the last line's text.
    std::size_t end = start;
    while (end > 0 && (data_[end - 1] == '\n' || data_[end - 1] == '\r')) --end;
    std::size_t begin = end;
    while (begin > 0 && data_[begin - 1] != '\n' && data_[begin - 1] != '\r') --begin;
    const int column = static_cast<int>(end - begin) + 1;
    return {current_line(), column, column + 1, begin};
  }
  const int column = static_cast<int>(stop - start) + 1;
  return {current_line(), column, column + 1, start};
}

std::string_view FieldReader::line_text(const FieldSpan& span) const {
  // memchr must not see the null pointer an empty text may hold.
  if (span.line_start >= data_.size()) return {};
  // Asked for at every row while warnings are heard: memchr rather than a loop by byte.
  const char* start = data_.data() + span.line_start;
  std::size_t length = data_.size() - span.line_start;
  for (const char end : {'\n', '\r'}) {
    if (const void* found = std::memchr(start, end, length))
      length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
  }
  return data_.substr(span.line_start, length);
}

void FieldReader::locate(UnexpectedFailure& failure) const {
  const FieldSpan span = failure_span();
  failure.line = span.line;
  failure.column = span.column;
  failure.end_column = span.end_column;
  failure.source = std::string(line_text(span));
}

int FieldReader::fields_left_on_line() const {
  if (pos_ == 0 || data_[pos_ - 1] != ',') return 0;
  int fields = 1;
  for (std::size_t i = pos_; i < data_.size() && data_[i] != '\n' && data_[i] != '\r'; ++i) {
    if (data_[i] == ',') ++fields;
  }
  return fields;
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
    line_start_ = pos_;
  } else if (data_[pos_] == '\n') {
    ++pos_;
    ++line_;
    line_start_ = pos_;
  }
}

std::string_view FieldReader::read_text() {
  begin_field();
  skip_blanks();
  const std::size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && !at_line_end()) ++pos_;
  const std::string_view field = data_.substr(start, pos_ - start);
  end_field(start, pos_);
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
    end_field(start, stop);
    UnexpectedFailure failure("the field " + shown(data_.substr(start, stop - start)) +
                              " is not a whole number");
    failure.hint = number_hint(data_.substr(start, stop - start));
    throw failure;
  }
  end_field(start, pos_);
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
