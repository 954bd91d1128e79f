#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compile/row_kinds.h"

namespace tracciato::lsp {

// One comma-separated field of a row as the editor shows it: trimmed text and its UTF-16
// columns [start, end). The text is a view of the text the row was read from.
struct TextField {
  std::string_view text;
  int start = 0;
  int end = 0;
};

// A row that begins a line, read for the editor's sake: the compile's own reader lets a
// row run on, but what an author points at is one line.
struct TextRow {
  int line = 0;
  Section section = Section::kTrain;
  const RowKind* kind = nullptr;  // the first the keyword names; nothing for none
  std::vector<TextField> fields;  // fields[0] is the keyword
  int line_end = 0;               // UTF-16 length of the line

  // Field k after the keyword as a number, when it reads as one.
  std::optional<std::int64_t> number(std::size_t k) const;
  // Field k after the keyword, or the rest of the row from it for the last field of a
  // kind whose last field is a text (a station's name).
  std::string text(std::size_t k) const;
};

// The rows of a description held as UTF-8; headers ("[...]"), comments (a keyword with
// a '-') and empty lines are no rows. The rows view `text`: they are valid while it is. Rows of a
// line description start in the general section and are objects after the first header that follows
// "[generale]".
std::vector<TextRow> read_rows(std::string_view text, bool train);

// The section a line of the text is in, for completion.
Section section_at(std::string_view text, bool train, int line);

}  // namespace tracciato::lsp
