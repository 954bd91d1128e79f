#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// Where a recorded code came from, for the diagnostic line.
struct SourceLocation {
  std::string path;    // empty: the compiler itself (signal code pass, stamp)
  int line = 0;        // 0: the whole file
  int column = 0;      // 1-based byte column of the field; 0: the whole row
  int end_column = 0;  // one past the field's last byte
  std::string source;  // the line's bytes as stored, to show under the message
  // Byte column (0-based) where `source` begins: a long line keeps only a window of its
  // bytes around the field, so that a finding on it costs little.
  int source_from = 0;
};

// A place on a line of a description, keeping the line's bytes or a window of them
// around `column`.
SourceLocation located(std::string path, int line, int column, int end_column,
                       std::string_view line_text);

// A further remark on a finding, at a place of its own when `at` names a file.
struct Note {
  SourceLocation at;
  std::string text;
};

// `error code` and `error position` with what a diagnostic needs to explain them.
// A later code replaces an earlier one; a code recorded without a position leaves
// `error position` as it was but does not show it.
struct ErrorState {
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  bool position_recorded = false;
  SourceLocation where;
  std::string explanation;
  std::vector<Note> notes;
  // The one likely fix, when there is one.
  std::string hint;

  bool failed() const { return error_code > 0; }
  void record(std::int32_t code, std::string why, SourceLocation at = {});
  void record_at(std::int32_t code, std::int32_t position, std::string why, SourceLocation at = {});
  // A row whose recorder failed, or that met a code still standing from an earlier phase:
  // the row's position becomes the error position.
  void attach_row(std::int32_t position, const SourceLocation& row);
  void add_note(std::string text, SourceLocation at = {});
  void reset() { *this = ErrorState{}; }
};

}  // namespace tracciato
