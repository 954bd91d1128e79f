#include "model/error_state.h"

#include <algorithm>
#include <utility>

namespace tracciato {

namespace {
// Lines longer than this keep a window of these bytes, from this many before the field.
constexpr std::size_t kKeptLine = 1024;
constexpr int kKeptBefore = 256;
}  // namespace

SourceLocation located(std::string path, int line, int column, int end_column,
                       std::string_view line_text) {
  SourceLocation at{std::move(path), line, column, end_column, {}, 0};
  if (line_text.size() <= kKeptLine) {
    at.source = std::string(line_text);
    return at;
  }
  const int last_from = static_cast<int>(line_text.size() - kKeptLine);
  at.source_from = std::clamp(column - 1 - kKeptBefore, 0, last_from);
  at.source = std::string(line_text.substr(static_cast<std::size_t>(at.source_from), kKeptLine));
  return at;
}

void ErrorState::record(std::int32_t code, std::string why, SourceLocation at) {
  error_code = code;
  position_recorded = false;
  where = std::move(at);
  explanation = std::move(why);
  notes.clear();
  hint.clear();
}

void ErrorState::record_at(std::int32_t code, std::int32_t position, std::string why,
                           SourceLocation at) {
  record(code, std::move(why), std::move(at));
  error_position = position;
  position_recorded = true;
}

void ErrorState::attach_row(std::int32_t position, const SourceLocation& row) {
  error_position = position;
  position_recorded = true;
  if (where.path.empty()) {
    where = row;
  } else {
    add_note("the compile stopped at this row, which now gives the error position " +
                 std::to_string(position) + " m",
             row);
  }
}

void ErrorState::add_note(std::string text, SourceLocation at) {
  notes.push_back({std::move(at), std::move(text)});
}

}  // namespace tracciato
