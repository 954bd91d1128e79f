#include "model/error_state.h"

#include <utility>

namespace tracciato {

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
