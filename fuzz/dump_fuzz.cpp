// The compiled-file readers of `dump` on any bytes, as each of the three kinds and as the
// kind the bytes suggest, with both outputs, a range, and --diff of the bytes against
// their own second half.
#include <sstream>

#include "commands/dump/dump_json.h"
#include "commands/dump/dump_text.h"
#include "commands/dump/dump_walk.h"
#include "format/dump_decoder.h"
#include "fuzz_input.h"

namespace {

using tracciato::CompiledKind;

void dump_as(CompiledKind kind, std::span<const std::uint8_t> bytes) {
  std::ostringstream out;
  tracciato::DumpOptions all;
  all.all = true;
  tracciato::DumpOptions ranged;
  ranged.range = {.from = 100, .to = 1000};
  tracciato::dump_file(kind, {"fuzz", bytes.size()}, bytes, all, *tracciato::json_dump_writer(out));
  tracciato::dump_file(kind, {"fuzz", bytes.size()}, bytes, ranged,
                       *tracciato::text_dump_writer(out));
  const auto half = bytes.subspan(bytes.size() / 2);
  if (!tracciato::find_damage(kind, bytes) && !tracciato::find_damage(kind, half)) {
    tracciato::dump_differences(kind, {"a", bytes.size()}, bytes, {"b", half.size()}, half, {},
                                *tracciato::text_dump_writer(out));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = tracciato::fuzz::capped(data, size);
  const std::span<const std::uint8_t> bytes(data, input.size());
  for (const auto kind : {CompiledKind::kHeader, CompiledKind::kCells, CompiledKind::kGeometry}) {
    dump_as(kind, bytes);
  }
  if (const auto kind = tracciato::compiled_kind_from_content(bytes)) dump_as(*kind, bytes);
  return 0;
}
