#include "textio/field_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "base/unexpected_failure.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {
constexpr std::int64_t kLimit = std::int64_t{1} << 31;

std::string shown(std::string_view s) {
  constexpr std::size_t kMax = 40;
  return "\"" + std::string(s.substr(0, kMax)) + (s.size() > kMax ? "...\"" : "\"");
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool all_digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), is_digit);
}
// Leading zeros dropped: "00" is "0".
std::string without_leading_zeros(std::string_view digits) {
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  return std::string(digits);
}

std::vector<std::string_view> split(std::string_view s, char at) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t to = s.find(at, from);
    parts.push_back(
        s.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
    if (to == std::string_view::npos) return parts;
    from = to + 1;
  }
}

// "14:10:00" or "14:10": "14, 10, 0".
std::optional<std::string> time_of_day(std::string_view s) {
  const auto parts = split(s, ':');
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  std::string fields;
  for (const std::string_view part : parts) {
    if (!all_digits(part) || part.size() > 2) return std::nullopt;
    fields += (fields.empty() ? "" : ", ") + without_leading_zeros(part);
  }
  return fields;
}

// "10.000", "1.234.567" or "10'000": "10000".
std::optional<std::string> without_thousands(std::string_view s) {
  for (const char separator : {'.', '\''}) {
    const auto groups = split(s, separator);
    if (groups.size() < 2 || !all_digits(groups[0]) || groups[0].size() > 3) continue;
    std::string digits(groups[0]);
    bool grouped = true;
    for (std::size_t i = 1; i < groups.size() && grouped; ++i) {
      grouped = all_digits(groups[i]) && groups[i].size() == 3;
      digits += groups[i];
    }
    if (grouped) return without_leading_zeros(digits);
  }
  return std::nullopt;
}

// "2.5": "2 or 3"; "5.0": "5"; "-.5": "0 or -1".
std::optional<std::string> whole_beside(std::string_view s, bool negative) {
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos) return std::nullopt;
  const std::string_view whole = s.substr(0, point);
  const std::string_view fraction = s.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || (!whole.empty() && !all_digits(whole)) ||
      (!fraction.empty() && !all_digits(fraction))) {
    return std::nullopt;
  }
  constexpr std::size_t kMostDigits = 9;
  if (whole.size() > kMostDigits) return std::string();
  const std::int64_t below = whole.empty() ? 0 : std::stoll(std::string(whole));
  const std::string sign = negative ? "-" : "";
  const auto signed_text = [&](std::int64_t v) {
    return v == 0 ? std::string("0") : sign + std::to_string(v);
  };
  if (fraction.find_first_not_of('0') == std::string_view::npos) return signed_text(below);
  return signed_text(below) + " or " + signed_text(below + 1);
}

// "80km/h", "450m", "5%": the digits before the unit.
std::optional<std::string> without_unit(std::string_view s) {
  static constexpr std::array<std::string_view, 13> kUnits = {
      "m", "mt", "km", "km/h", "kmh", "kph", "%", "\x89", "s", "sec", "h", "min", "o/oo"};
  std::size_t digits = 0;
  while (digits < s.size() && is_digit(s[digits])) ++digits;
  if (digits == 0) return std::nullopt;
  const std::string_view unit = s.substr(digits);
  for (const std::string_view u : kUnits) {
    if (unit.size() == u.size() && contains_any_case(unit, u))
      return std::string(s.substr(0, digits));
  }
  return std::nullopt;
}

}  // namespace

NumberReading likely_number(std::string_view field) {
  using M = NumberReading::Mistake;
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (field.find('\t') != std::string_view::npos) return {M::kTab, {}};
  if (field.size() > 1 && field.front() == '+' && all_digits(field.substr(1))) {
    return {M::kPlusSign, without_leading_zeros(field.substr(1))};
  }
  const bool negative = !field.empty() && field.front() == '-';
  const std::string_view body = negative ? field.substr(1) : field;
  const std::string sign = negative ? "-" : "";
  if (auto time = time_of_day(body); time && !negative) return {M::kTimeOfDay, *time};
  if (body.find_first_of("Oo") != std::string_view::npos) {
    std::string mended(body);
    std::replace_if(
        mended.begin(), mended.end(), [](char c) { return c == 'O' || c == 'o'; }, '0');
    if (all_digits(mended)) return {M::kLetterO, sign + without_leading_zeros(mended)};
  }
  if (auto whole = without_thousands(body)) return {M::kThousands, sign + *whole};
  if (auto beside = whole_beside(body, negative)) return {M::kDecimal, *beside};
  if (auto digits = without_unit(body)) return {M::kUnit, sign + without_leading_zeros(*digits)};
  return {};
}

std::string number_hint(const NumberReading& reading) {
  using M = NumberReading::Mistake;
  switch (reading.mistake) {
    case M::kTab:
      return std::string(kTabHint);
    case M::kPlusSign:
      return "write the number without a plus sign: " + reading.meant;
    case M::kTimeOfDay:
      return "hours, minutes and seconds are three fields: write " + reading.meant;
    case M::kLetterO:
      return "the letter O stands where a zero belongs: write " + reading.meant;
    case M::kThousands:
      return "numbers take no thousands separator: write " + reading.meant;
    case M::kDecimal:
      return "numbers are whole: the field's unit is small enough that none needs a decimal "
             "point" +
             (reading.meant.empty() ? std::string() : "; write " + reading.meant);
    case M::kUnit:
      return "write the number alone, without its unit: " + reading.meant;
    case M::kUnknown:
      break;
  }
  return {};
}

void FieldReader::begin_field() {
  field_line_ = line_;
  field_starts_line_ = pos_ == 0 || data_[pos_ - 1] == '\n' || data_[pos_ - 1] == '\r';
  if (at_end()) {
    last_ = end_span();
    UnexpectedFailure failure(data_.empty() ? "the file is empty"
                                            : "the file ends where another field is expected");
    failure.field = UnexpectedFailure::Field::kEndOfFile;
    throw failure;
  }
}

void FieldReader::end_field(std::size_t start, std::size_t stop, bool number, bool more_text) {
  last_ = {field_line_,
           static_cast<int>(start - line_start_) + 1,
           static_cast<int>(stop - line_start_) + 1,
           line_start_,
           number,
           more_text};
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
  if (span.line_start >= data_.size()) return {};
  return data_.substr(span.line_start, line_end(span.line_start) - span.line_start);
}

// The first line end at or after `from`, or the data's end. Any position between one asked
// and the line end found shares that line end.
std::size_t FieldReader::line_end(std::size_t from) const {
  if (from >= scanned_from_ && from <= scanned_end_) return scanned_end_;
  // memchr must not see the null pointer an empty text may hold.
  std::size_t end = data_.size();
  if (from < data_.size()) {
    const char* start = data_.data() + from;
    for (const char c : {'\n', '\r'}) {
      if (const void* found = std::memchr(start, c, end - from))
        end = from + static_cast<std::size_t>(static_cast<const char*>(found) - start);
    }
  }
  scanned_from_ = from;
  scanned_end_ = end;
  return end;
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
  const std::size_t end = line_end(pos_);
  // Reading moves forward: only the commas read past since the last count are taken off.
  if (pos_ < counted_from_ || end != counted_end_) {
    counted_from_ = pos_;
    counted_end_ = end;
    commas_counted_ =
        static_cast<int>(std::count(data_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                    data_.begin() + static_cast<std::ptrdiff_t>(end), ','));
  }
  commas_counted_ -=
      static_cast<int>(std::count(data_.begin() + static_cast<std::ptrdiff_t>(counted_from_),
                                  data_.begin() + static_cast<std::ptrdiff_t>(pos_), ','));
  counted_from_ = pos_;
  return commas_counted_ + 1;
}

std::string_view FieldReader::rest_of_line() const {
  const std::size_t from = std::min(pos_, data_.size());
  return data_.substr(from, line_end(from) - from);
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

void FieldReader::refuse_number(std::size_t start) {
  std::size_t stop = pos_;
  while (stop < data_.size() && data_[stop] != ',' && data_[stop] != '\r' && data_[stop] != '\n')
    ++stop;
  end_field(start, stop);
  const std::string_view field = data_.substr(start, stop - start);
  UnexpectedFailure failure("the field " + shown(field) + " is not a whole number");
  failure.field = UnexpectedFailure::Field::kNotANumber;
  failure.field_text = std::string(field);
  failure.hint = number_hint(likely_number(field));
  throw failure;
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
  if (!ends_well || (negative && !has_digits)) refuse_number(start);
  // Blanks after the number go with the comma or line end that closes its field; other
  // text there is read as the next field.
  std::size_t after = pos_;
  while (after < data_.size() && data_[after] == ' ') ++after;
  const bool more_text =
      after < data_.size() && data_[after] != ',' && data_[after] != '\r' && data_[after] != '\n';
  end_field(start, pos_, true, more_text);
  if (negative) value = -value;
  if (value < -kLimit || value >= kLimit) {
    UnexpectedFailure failure("the number " + std::string(data_.substr(start, pos_ - start)) +
                              " does not fit a 32-bit integer");
    failure.field = UnexpectedFailure::Field::kBeyond32Bits;
    failure.field_text = std::string(data_.substr(start, pos_ - start));
    throw failure;
  }
  pos_ = after;
  if (!more_text) consume_field_end();
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
