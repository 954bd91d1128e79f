#include "commands/lsp/description_rows.h"

#include <charconv>

#include "commands/lsp/text_document.h"
#include "textio/keyword.h"

namespace tracciato::lsp {

namespace {

std::string_view trimmed(std::string_view s, std::size_t& lead) {
  lead = 0;
  while (lead < s.size() && (s[lead] == ' ' || s[lead] == '\t')) ++lead;
  std::size_t end = s.size();
  while (end > lead && (s[end - 1] == ' ' || s[end - 1] == '\t' || s[end - 1] == '\r')) --end;
  return s.substr(lead, end - lead);
}

// The fields of a line and their UTF-16 columns, in one pass over the line.
std::vector<TextField> split(std::string_view line) {
  std::vector<TextField> fields;
  Utf16Cursor columns(line);
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = std::min(line.find(',', from), line.size());
    std::size_t lead = 0;
    const std::string_view field = trimmed(line.substr(from, comma - from), lead);
    const std::size_t begin = from + lead;
    const int start = columns.column_of(begin);
    fields.push_back({field, start, columns.column_of(begin + field.size())});
    if (comma == line.size()) return fields;
    from = comma + 1;
  }
}

bool header(std::string_view keyword) {
  return contains_exact(keyword, "[") && contains_exact(keyword, "]");
}

// Walks the lines: f(line number, line text, section) for every line.
template <typename F>
void for_each_line(std::string_view text, bool train, F&& f) {
  Section section = train ? Section::kTrain : Section::kLineGeneral;
  bool general_seen = false;
  int number = 0;
  for (const std::size_t start : line_starts(text)) {
    const std::string_view line = line_at(text, start);
    std::size_t lead = 0;
    const std::string_view first = trimmed(line.substr(0, line.find(',')), lead);
    if (!train && header(first)) {
      if (general_seen) section = Section::kLineObjects;
      general_seen = general_seen || contains_any_case(first, "generale");
    }
    f(number++, line, section);
  }
}

}  // namespace

std::optional<std::int64_t> TextRow::number(std::size_t k) const {
  if (k + 1 >= fields.size()) return std::nullopt;
  const std::string_view t = fields[k + 1].text;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc{} || end != t.data() + t.size()) return std::nullopt;
  return v;
}

std::string TextRow::text(std::size_t k) const {
  if (k + 1 >= fields.size()) return {};
  const bool rest = kind != nullptr && k + 1 == kind->fields.size() &&
                    kind->fields.back().storage == Storage::kText;
  std::string joined(fields[k + 1].text);
  for (std::size_t i = k + 2; rest && i < fields.size(); ++i) {
    joined += ", ";
    joined += fields[i].text;
  }
  return joined;
}

std::vector<TextRow> read_rows(std::string_view text, bool train) {
  std::vector<TextRow> rows;
  for_each_line(text, train, [&](int number, std::string_view line, Section section) {
    std::vector<TextField> fields = split(line);
    const std::string_view keyword = fields.front().text;
    if (keyword.empty() || header(keyword) || contains_exact(keyword, "-")) return;
    rows.push_back({number, section, named_kind(section, keyword), std::move(fields),
                    Utf16Cursor(line).column_of(line.size())});
  });
  return rows;
}

Section section_at(std::string_view text, bool train, int line) {
  Section found = train ? Section::kTrain : Section::kLineGeneral;
  for_each_line(text, train, [&](int number, std::string_view, Section section) {
    if (number <= line) found = section;
  });
  return found;
}

}  // namespace tracciato::lsp
