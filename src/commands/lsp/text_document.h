#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tracciato::lsp {

// A place in a document as the protocol counts it: line from 0, and UTF-16 code units
// from the line's start.
struct Position {
  int line = 0;
  int character = 0;
};

struct Range {
  Position start;
  Position end;
};

// An open document's text as the editor holds it, in UTF-8.
class TextDocument {
 public:
  explicit TextDocument(std::string text) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  void replace_all(std::string text) { text_ = std::move(text); }
  // An incremental change; positions past a line's or the text's end are clamped to it,
  // as the protocol asks.
  void replace(const Range& range, std::string_view with);
  std::size_t offset_of(const Position& p) const;
  // The text as the descriptions are stored: Windows-1252, one byte per character.
  std::string stored_text() const;

 private:
  std::string text_;
};

// The UTF-16 column of the character that starts at 1-based `byte_column` of a stored
// (Windows-1252) line, given that line as the editor holds it in UTF-8. Columns past the
// line's end count on as single units.
int utf16_column(std::string_view utf8_line, int byte_column);

// The 1-based stored byte column of the character at UTF-16 `character` of the line.
int stored_column(std::string_view utf8_line, int character);

}  // namespace tracciato::lsp
