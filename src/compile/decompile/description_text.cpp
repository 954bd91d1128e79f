#include "compile/decompile/description_text.h"

namespace tracciato {

void DescriptionText::line(std::string_view text) {
  bytes_ += text;
  bytes_ += "\r\n";
}

namespace {
void put_values(std::string& bytes, std::string_view keyword,
                std::initializer_list<Column> values) {
  bytes += keyword;
  for (const Column& c : values) {
    const std::string digits = c.empty ? std::string() : std::to_string(c.value);
    bytes += ',';
    if (static_cast<int>(digits.size()) < c.width) bytes.append(c.width - digits.size(), ' ');
    bytes += digits;
  }
}
}  // namespace

void DescriptionText::row(std::string_view keyword, std::initializer_list<Column> values) {
  put_values(bytes_, keyword, values);
  bytes_ += "\r\n";
}

void DescriptionText::text_row(std::string_view keyword, std::initializer_list<Column> values,
                               std::string_view text) {
  put_values(bytes_, keyword, values);
  bytes_ += ", ";
  bytes_ += text;
  bytes_ += "\r\n";
}

}  // namespace tracciato
