#include "commands/lsp/text_document.h"

#include <algorithm>

#include "base/cp1252.h"

namespace tracciato::lsp {

namespace {

// The byte length of the UTF-8 sequence a lead byte begins; a stray byte counts as one.
std::size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// How many UTF-16 code units the character needs: two beyond the Basic Multilingual Plane.
int utf16_units(std::size_t sequence) {
  return sequence == 4 ? 2 : 1;
}

// Visits each character of a line: f(byte offset, sequence length); stops when f says so.
template <typename F>
void for_each_character(std::string_view line, F&& f) {
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n =
        std::min(sequence_length(static_cast<unsigned char>(line[i])), line.size() - i);
    if (!f(i, n)) return;
    i += n;
  }
}

bool is_break(char c) {
  return c == '\r' || c == '\n';
}

// A line as given may carry its line end and what follows it.
std::string_view line_without_break(std::string_view line) {
  return line.substr(0, line.find_first_of("\r\n"));
}

}  // namespace

std::vector<std::size_t> line_starts(std::string_view text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_break(text[i])) continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    starts.push_back(i + 1);
  }
  return starts;
}

std::string_view line_at(std::string_view text, std::size_t start) {
  if (start >= text.size()) return {};
  std::size_t end = start;
  while (end < text.size() && !is_break(text[end])) ++end;
  return text.substr(start, end - start);
}

void TextDocument::replace_all(std::string text) {
  text_ = std::move(text);
  starts_.clear();
}

const std::vector<std::size_t>& TextDocument::starts() const {
  if (starts_.empty()) starts_ = line_starts(text_);
  return starts_;
}

std::optional<std::string_view> TextDocument::line(int n) const {
  const std::vector<std::size_t>& starts = this->starts();
  const auto k = static_cast<std::size_t>(n);
  if (n < 0 || k >= starts.size()) return std::nullopt;
  // The next line's start, less the line end before it: no scan of a long line.
  std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text_.size();
  if (end > starts[k] && k + 1 < starts.size()) --end;
  if (end > starts[k] && text_[end - 1] == '\r' && text_[end] == '\n') --end;
  return std::string_view(text_).substr(starts[k], end - starts[k]);
}

std::size_t TextDocument::offset_of(const Position& p) const {
  if (p.line < 0) return 0;
  if (std::size_t(p.line) >= starts().size()) return text_.size();
  const std::size_t start = starts()[std::size_t(p.line)];
  const std::string_view line = line_at(text_, start);
  std::size_t offset = line.size();
  int units = 0;
  for_each_character(line, [&](std::size_t i, std::size_t n) {
    if (units >= p.character) {
      offset = i;
      return false;
    }
    units += utf16_units(n);
    return true;
  });
  return start + offset;
}

void TextDocument::replace(const Range& range, std::string_view with) {
  const std::size_t from = offset_of(range.start);
  const std::size_t to = std::max(from, offset_of(range.end));
  text_.replace(from, to - from, with);
  starts_.clear();
}

std::string TextDocument::stored_text() const {
  return utf8_to_cp1252(text_);
}

int utf16_column(std::string_view utf8_line, int byte_column) {
  int characters = 0;
  int units = 0;
  for_each_character(line_without_break(utf8_line), [&](std::size_t, std::size_t n) {
    if (characters + 1 >= byte_column) return false;
    ++characters;
    units += utf16_units(n);
    return true;
  });
  return units + std::max(0, byte_column - 1 - characters);
}

int Utf16Columns::of(std::string_view utf8_line, int byte_column) {
  if (utf8_line.data() != given_.data() || utf8_line.size() != given_.size() ||
      byte_column - 1 < characters_) {
    *this = Utf16Columns();
    given_ = utf8_line;
    line_ = line_without_break(utf8_line);
  }
  while (characters_ + 1 < byte_column && byte_ < line_.size()) {
    const std::size_t n =
        std::min(sequence_length(static_cast<unsigned char>(line_[byte_])), line_.size() - byte_);
    units_ += utf16_units(n);
    byte_ += n;
    ++characters_;
  }
  return units_ + std::max(0, byte_column - 1 - characters_);
}

int Utf16Cursor::column_of(std::size_t byte) {
  while (byte_ < byte && byte_ < line_.size()) {
    const std::size_t n =
        std::min(sequence_length(static_cast<unsigned char>(line_[byte_])), line_.size() - byte_);
    units_ += utf16_units(n);
    byte_ += n;
  }
  return units_ + static_cast<int>(byte - std::min(byte, byte_));
}

int stored_column(std::string_view utf8_line, int character) {
  int characters = 0;
  int units = 0;
  for_each_character(line_without_break(utf8_line), [&](std::size_t, std::size_t n) {
    if (units >= character) return false;
    ++characters;
    units += utf16_units(n);
    return true;
  });
  return characters + 1 + std::max(0, character - units);
}

}  // namespace tracciato::lsp
