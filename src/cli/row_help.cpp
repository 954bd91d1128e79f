#include "cli/row_help.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

#include "base/edit_distance.h"
#include "compile/field_values.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {

constexpr std::size_t kWidth = 80;
constexpr std::size_t kKeywordColumn = 32;
constexpr std::size_t kLabelColumn = 10;
constexpr std::size_t kFieldIndent = 6;
// A part of a keyword shorter than this names too much to be meant.
constexpr std::size_t kShortestPart = 3;

constexpr std::array kSections = {Section::kLineGeneral, Section::kLineObjects, Section::kTrain};

// `text` broken between words into lines of at most kWidth characters: the first after
// `first`, the others indented as deep as `first` is long.
std::string wrapped(const std::string& first, std::string_view text) {
  std::istringstream words{std::string(text)};
  const std::string indent(first.size(), ' ');
  std::string out;
  std::string line = first;
  bool empty = true;
  for (std::string word; words >> word;) {
    if (!empty && line.size() + 1 + word.size() > kWidth) {
      out += line + '\n';
      line = indent;
      empty = true;
    }
    line += (empty ? "" : " ") + word;
    empty = false;
  }
  return out + line + '\n';
}

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  out.resize(std::max(out.size(), width), ' ');
  return out;
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "station" for the "station row".
std::string_view kind_word(const RowKind& row) {
  std::string_view name = row.name;
  if (name.ends_with(" row")) name.remove_suffix(4);
  return name;
}

using RowTest = bool (*)(const RowKind&, std::string_view);

std::vector<const RowKind*> rows_where(RowTest test, std::string_view word) {
  std::vector<const RowKind*> found;
  for (const RowKind& row : all_rows()) {
    if (test(row, word)) found.push_back(&row);
  }
  return found;
}

bool of_name(const RowKind& row, std::string_view word) {
  const std::string w = lower(word);
  return w == row.name || w == kind_word(row);
}

bool in_keyword(const RowKind& row, std::string_view word) {
  return word.size() >= kShortestPart &&
         std::any_of(row.keywords.begin(), row.keywords.end(),
                     [&](std::string_view k) { return contains_any_case(k, word); });
}

std::string keywords_as_written(const RowKind& row) {
  std::string text;
  for (const std::string_view k : row.keywords) {
    text += (text.empty() ? "\"" : ", \"") + std::string(k) + "\"";
  }
  return text;
}

std::string field_heading(const FieldSpec& f, std::size_t k) {
  std::string number = std::to_string(k);
  std::string text = std::string(4 - number.size(), ' ') + number + "  " + std::string(f.name);
  if (!f.word.empty() && f.word != f.name) text += " (" + std::string(f.word) + ")";
  if (!f.unit.empty()) text += ", " + std::string(f.unit);
  return text + '\n';
}

std::string field_lines(const RowKind& row) {
  std::string text;
  const std::string indent(kFieldIndent, ' ');
  for (std::size_t k = 1; k <= row.fields.size(); ++k) {
    const FieldSpec& f = *field_of(row, k);
    text += field_heading(f, k);
    text += wrapped(
        indent, "range: " + range_words(f) + "; storage: " + std::string(storage_words(f.storage)));
    if (!f.note.empty()) text += wrapped(indent, f.note);
  }
  return text;
}

}  // namespace

std::string rows_help() {
  std::string text;
  for (const Section section : kSections) {
    text += std::string(text.empty() ? "" : "\n") + "rows of " +
            std::string(section_words(section)) + ":\n";
    for (const RowKind& row : rows_of(section)) {
      for (const std::string_view keyword : row.keywords) {
        text += "  " + padded(keyword, kKeywordColumn) + std::string(row.name) + '\n';
      }
    }
  }
  return text + "\ntracciato explain ROW tells one of them in full\n";
}

std::vector<const RowKind*> rows_named(std::string_view word) {
  if (word.empty()) return {};
  const std::array<RowTest, 3> tests = {&names, &of_name, &in_keyword};
  for (const RowTest test : tests) {
    std::vector<const RowKind*> found = rows_where(test, word);
    if (!found.empty()) return found;
  }
  return {};
}

std::string did_you_mean_row(std::string_view word) {
  std::vector<std::string_view> candidates;
  for (const RowKind& row : all_rows()) {
    candidates.insert(candidates.end(), row.keywords.begin(), row.keywords.end());
    candidates.push_back(kind_word(row));
  }
  const auto meant = nearest(word, candidates);
  return meant ? "; did you mean " + std::string(*meant) + "?" : "";
}

std::string row_explanation(const RowKind& row) {
  std::string text = std::string(row.name) + "\n\n";
  text += wrapped(
      padded("keyword", kLabelColumn),
      keywords_as_written(row) + "; the reader takes a keyword field that " + keyword_rule(row));
  text += wrapped(padded("section", kLabelColumn),
                  std::string(section_words(row.section)) + ", under " + std::string(row.header));
  if (row.reach > 0) {
    text += wrapped(padded("track", kLabelColumn),
                    "(position + " + std::to_string(row.reach) +
                        ") / 50 may not pass the track's last cell, 7,000 m past the route "
                        "length (error 15)");
  }
  if (!row.when_missing.empty()) {
    text += wrapped(padded("missing", kLabelColumn),
                    "the compile goes on without it: " + std::string(row.when_missing));
  }
  text += wrapped(padded("fields", kLabelColumn),
                  std::to_string(row.fields.size()) + " after the keyword, in this order:");
  return text + '\n' + field_lines(row);
}

}  // namespace tracciato
