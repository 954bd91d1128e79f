#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tracciato {

// A value of a row, right-aligned in a column of `width` characters; an empty column is
// written as blanks, which the reader takes as 0.
struct Column {
  std::int64_t value = 0;
  int width = 0;
  bool empty = false;
};

// A description's bytes as the writer lays them out: Windows-1252, every line ended by
// CR LF.
class DescriptionText {
 public:
  void line(std::string_view text);
  // "keyword," and the values, each after a comma.
  void row(std::string_view keyword, std::initializer_list<Column> values);
  // The same with a text field last, even an empty one.
  void text_row(std::string_view keyword, std::initializer_list<Column> values,
                std::string_view text);
  void append(const DescriptionText& other) { bytes_ += other.bytes_; }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace tracciato
