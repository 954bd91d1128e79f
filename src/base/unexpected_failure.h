#pragma once

#include <stdexcept>
#include <string>

namespace tracciato {

// Anything the compile did not foresee (a read past the end, a value that does not fit
// its field, an index outside an array). The build turns it into error code 25.
class UnexpectedFailure : public std::runtime_error {
 public:
  explicit UnexpectedFailure(const std::string& what) : std::runtime_error(what) {}
  // Line of the description being read when it happened; 0 when none.
  int line = 0;
  // Byte columns of the field being read, 1-based, the end one past it; 0 when none.
  int column = 0;
  int end_column = 0;
  // The bytes of that line, to show under the message.
  std::string source;
  // Already recorded, with everything known of its row, by the one who caught it first.
  bool recorded = false;
  // A further remark, with the compiler's own terms (a cell index, a record).
  std::string note;
  // What an author would change, when the failure has one likely fix.
  std::string hint;
  // A field the reader could not take as a number, so that the row that reads it can name
  // the field: why, and the field's text as written.
  enum class Field { kNone, kNotANumber, kBeyond32Bits, kEndOfFile };
  Field field = Field::kNone;
  std::string field_text;
};

}  // namespace tracciato
