// The field reader on any bytes: text and numeric fields in an order the input chooses.
#include "fuzz_input.h"
#include "textio/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t pattern = data[0];
  tracciato::FieldReader reader(tracciato::fuzz::capped(data + 1, size - 1));
  try {
    for (unsigned i = 0; !reader.at_end(); ++i) {
      if ((pattern >> (i % 8)) & 1U) {
        reader.read_number();
      } else {
        reader.read_text();
      }
      reader.skip_rest_of_line(reader.field_line() + static_cast<int>(i % 3 == 0));
    }
  } catch (const tracciato::UnexpectedFailure&) {
  }
  return 0;
}
