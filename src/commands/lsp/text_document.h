#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Lines end as the descriptions' reader ends them and as the protocol counts them: at
// CR LF, at LF, or at a CR alone.

// Where each line of a text starts; a text ending with a line end has an empty last line.
std::vector<std::size_t> line_starts(std::string_view text);
// The bytes of the line that starts at `start`, up to its line end.
std::string_view line_at(std::string_view text, std::size_t start);

// An open document's text as the editor holds it, in UTF-8.
class TextDocument {
 public:
  explicit TextDocument(std::string text) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  void replace_all(std::string text);
  // An incremental change; positions past a line's or the text's end are clamped to it,
  // as the protocol asks.
  void replace(const Range& range, std::string_view with);
  std::size_t offset_of(const Position& p) const;
  // Line `n` from 0 without its line end; nothing past the text's lines.
  std::optional<std::string_view> line(int n) const;
  // The text as the descriptions are stored: Windows-1252, one byte per character.
  std::string stored_text() const;

 private:
  const std::vector<std::size_t>& starts() const;

  std::string text_;
  // Line starts of the current text, indexed once per version when first asked for.
  mutable std::vector<std::size_t> starts_;
};

// The UTF-16 column of the character that starts at 1-based `byte_column` of a stored
// (Windows-1252) line, given that line as the editor holds it in UTF-8. Columns past the
// line's end count on as single units.
int utf16_column(std::string_view utf8_line, int byte_column);

// utf16_column for columns of one line asked for in increasing order: the findings on a long
// line are mapped in one pass over it. Another line, or a column behind, starts again.
class Utf16Columns {
 public:
  int of(std::string_view utf8_line, int byte_column);

 private:
  std::string_view given_;
  std::string_view line_;
  std::size_t byte_ = 0;
  int characters_ = 0;
  int units_ = 0;
};

// UTF-16 columns of byte offsets into a UTF-8 line, asked for in increasing order: a
// line's fields are mapped in one pass over it.
class Utf16Cursor {
 public:
  explicit Utf16Cursor(std::string_view line) : line_(line) {}
  int column_of(std::size_t byte);

 private:
  std::string_view line_;
  std::size_t byte_ = 0;
  int units_ = 0;
};

// The 1-based stored byte column of the character at UTF-16 `character` of the line.
int stored_column(std::string_view utf8_line, int character);

}  // namespace tracciato::lsp
