// docs/description-format.md tells every row kind as the row table holds it: its keyword,
// the words the reader looks for with their case rule, and its fields in order with name,
// unit, range and storage. A difference fails here, with the rows the reference should hold.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "compile/field_values.h"
#include "compile/row_kinds.h"
#include "testing/files.h"

namespace tracciato {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string trimmed(const std::string& s) {
  const std::size_t from = s.find_first_not_of(' ');
  if (from == std::string::npos) return {};
  return s.substr(from, s.find_last_not_of(' ') - from + 1);
}

// The cells of a table line: "| 1 | position |" gives "1", "position".
std::vector<std::string> cells_of(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t from = 1;
  for (std::size_t bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1) {
    cells.push_back(trimmed(line.substr(from, bar - from)));
  }
  return cells;
}

std::string quoted(std::string_view word) {
  return "`" + std::string(word) + "`";
}

// The lines under the heading that names the kind's keyword, up to the next heading.
std::vector<std::string> section_of(const std::vector<std::string>& lines, const RowKind& row) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.starts_with("#")) {
      if (inside) break;
      inside = line.find(quoted(row.keyword)) != std::string::npos;
      continue;
    }
    if (inside) section.push_back(line);
  }
  return section;
}

std::string field_cell(const FieldSpec& f) {
  return f.word.empty() || f.word == f.name ? std::string(f.name)
                                            : std::string(f.name) + " (" + quoted(f.word) + ")";
}

// The field table as the reference should hold it, notes included.
std::string expected_table(const RowKind& row) {
  std::string table =
      "| # | field | unit | range | storage | what it does |\n| --- | --- | --- | --- | --- | --- "
      "|\n";
  for (std::size_t k = 1; k <= row.fields.size(); ++k) {
    const FieldSpec& f = *field_of(row, k);
    table += "| " + std::to_string(k) + " | " + field_cell(f) + " | " + std::string(f.unit) +
             " | " + range_words(f) + " | " + std::string(storage_words(f.storage)) + " | " +
             std::string(f.note) + " |\n";
  }
  return table;
}

class Reference : public ::testing::Test {
 protected:
  const std::vector<std::string> lines_ =
      lines_of(test_support::read_file(TRACCIATO_FORMAT_REFERENCE));
};

TEST_F(Reference, NamesEveryRowKindsKeywordAndTheWordsTheReaderLooksForWithTheirCase) {
  for (const RowKind& row : all_rows()) {
    const std::vector<std::string> section = section_of(lines_, row);
    ASSERT_FALSE(section.empty()) << "no heading names " << quoted(row.keyword);
    std::string text;
    for (const std::string& line : section) text += line + '\n';
    for (const KeywordWord& w : row.words) {
      EXPECT_NE(text.find(quoted(w.word)), std::string::npos) << row.keyword << ": " << w.word;
    }
    const std::string rule = keyword_rule(row);
    const std::string case_rule = rule.substr(rule.rfind('('));
    EXPECT_NE(text.find(case_rule), std::string::npos) << row.keyword << ": " << case_rule;
  }
}

TEST_F(Reference, TellsEveryFieldInOrderWithTheTablesNameUnitRangeAndStorage) {
  for (const RowKind& row : all_rows()) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : section_of(lines_, row)) {
      if (!line.starts_with("|")) continue;
      std::vector<std::string> cells = cells_of(line);
      if (!cells.empty() && cells[0] != "#" && cells[0] != "---") rows.push_back(std::move(cells));
    }
    bool same = rows.size() == row.fields.size();
    for (std::size_t k = 1; same && k <= row.fields.size(); ++k) {
      const FieldSpec& f = *field_of(row, k);
      const std::vector<std::string>& cells = rows[k - 1];
      same = cells.size() >= 5 && cells[0] == std::to_string(k) && cells[1] == field_cell(f) &&
             cells[2] == f.unit && cells[3] == range_words(f) &&
             cells[4] == storage_words(f.storage);
    }
    EXPECT_TRUE(same) << "the fields of the " << row.name << " " << quoted(row.keyword)
                      << " differ from the table; it holds:\n"
                      << expected_table(row);
  }
}

}  // namespace
}  // namespace tracciato
