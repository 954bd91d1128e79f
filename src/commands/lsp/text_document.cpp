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

std::string_view line_without_break(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::size_t TextDocument::offset_of(const Position& p) const {
  std::size_t start = 0;
  for (int line = 0; line < p.line; ++line) {
    const std::size_t next = text_.find('\n', start);
    if (next == std::string::npos) return text_.size();
    start = next + 1;
  }
  const std::size_t end = std::min(text_.find('\n', start), text_.size());
  const std::string_view line =
      line_without_break(std::string_view(text_).substr(start, end - start));
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
