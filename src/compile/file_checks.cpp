// What a whole description file tells before any row is read: its encoding, and where a
// misspelt "[generale]" stands when the reader finds none.
#include <array>
#include <string>

#include "base/edit_distance.h"
#include "compile/check_hooks.h"
#include "model/error_codes.h"

namespace tracciato {

namespace {

// UTF-16 has a byte-order mark or, for text in Latin letters, a zero byte beside each
// letter; Windows-1252 text has no zero byte at all.
std::string utf16_form(std::string_view text) {
  if (text.starts_with("\xFF\xFE")) return "UTF-16 little-endian with a byte-order mark";
  if (text.starts_with("\xFE\xFF")) return "UTF-16 big-endian with a byte-order mark";
  const std::string_view head = text.substr(0, 256);
  std::size_t even_zeros = 0;
  std::size_t odd_zeros = 0;
  for (std::size_t i = 0; i < head.size(); ++i)
    (i % 2 == 0 ? even_zeros : odd_zeros) += head[i] == '\0';
  if (head.size() < 2 || (even_zeros + odd_zeros) * 4 < head.size()) return {};
  return odd_zeros >= even_zeros ? "UTF-16 little-endian" : "UTF-16 big-endian";
}

}  // namespace

bool CheckHooks::refuse_utf16(std::string_view text) {
  const std::string form = utf16_form(text);
  if (form.empty()) return false;
  errors_.record(error_code::kUnexpectedFailure,
                 "the file is saved as " + form +
                     " (\"Unicode\" in Notepad): descriptions are Windows-1252, one byte a "
                     "character, so no row of it can be read",
                 whole_file());
  errors_.hint = "save it as Windows-1252: in Notepad, \"Save as\" with the encoding \"ANSI\"";
  report();
  return true;
}

std::optional<SourceLocation> CheckHooks::misspelt_general(std::string_view text) const {
  static constexpr std::array<std::string_view, 1> kGeneral = {"[generale]"};
  int line = 1;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view row = text.substr(start, end - start);
    const std::size_t first = row.find_first_not_of(' ');
    const std::size_t last = row.find_last_not_of(' ');
    if (first != std::string_view::npos && row[first] == '[' && row[last] == ']' &&
        nearest(row.substr(first, last - first + 1), kGeneral)) {
      return SourceLocation{path_, line, static_cast<int>(first) + 1, static_cast<int>(last) + 2,
                            std::string(row)};
    }
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return std::nullopt;
}

}  // namespace tracciato
