// The decompiler on two kinds of input: a random description pair drawn from the bytes,
// compiled and decompiled, which must come back to the same bytes; and the bytes
// themselves, whole and cut into a header, cells and a plan, which must give a clear
// error or descriptions, never a crash or a hang.
#include <cstdlib>

#include "compile/decompile/decompile.h"
#include "compile/description.h"
#include "compile/output_files.h"
#include "compile/pipeline.h"
#include "format/dump_decoder.h"
#include "fuzz_input.h"
#include "testing/random_descriptions.h"

namespace {

using namespace tracciato;

void round_trip(std::span<const std::uint8_t> bytes) {
  test_support::ByteChoices choices(bytes);
  const test_support::RandomPair pair = test_support::random_pair(choices);
  MemoryDescription line("line", pair.line);
  MemoryDescription train("train", pair.train);
  const Scenario s = memorizza_percorso({line, train, {"Fuzz", "1"}, pair.geometry ? 1 : 0});
  if (s.errors.failed()) return;
  const EncodedBuild build = encode_build(s, "Fuzz", "1");
  std::vector<std::uint8_t> geometry;
  for (const auto part : build.geometry) geometry.insert(geometry.end(), part.begin(), part.end());
  CompiledSet set{build.header, build.cells, std::nullopt};
  if (pair.geometry) set.geometry = std::span<const std::uint8_t>(geometry);
  if (!decompile(set).proven()) std::abort();
}

void any_bytes(std::span<const std::uint8_t> bytes) {
  const std::size_t third = bytes.size() / 3;
  const CompiledSet set{bytes.subspan(0, third), bytes.subspan(third, third),
                        bytes.subspan(2 * third)};
  try {
    decompile(set);
  } catch (const DecodeError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = tracciato::fuzz::capped(data, size);
  const std::span<const std::uint8_t> bytes(data, input.size());
  round_trip(bytes);
  any_bytes(bytes);
  return 0;
}
