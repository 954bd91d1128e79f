// The compiled-file decoder of `dump` on any bytes, as each of the three kinds, with
// both its outputs.
#include <sstream>

#include "commands/dump/dump_json.h"
#include "commands/dump/dump_text.h"
#include "format/dump_decoder.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = tracciato::fuzz::capped(data, size);
  const std::span<const std::uint8_t> bytes(data, input.size());
  for (const auto kind : {tracciato::CompiledKind::kHeader, tracciato::CompiledKind::kCells,
                          tracciato::CompiledKind::kGeometry}) {
    try {
      const tracciato::DecodedFile file = tracciato::decode_compiled_file(kind, bytes);
      std::ostringstream out;
      tracciato::write_dump_json(out, file);
      tracciato::write_dump_text(out, file, true);
    } catch (const tracciato::DecodeError&) {
    }
  }
  return 0;
}
