#include "compile/decompile/decompile.h"

#include "base/cp1252.h"
#include "compile/decompile/line_rows.h"
#include "compile/decompile/proof.h"
#include "compile/decompile/train_rows.h"
#include "compile/description.h"
#include "compile/pipeline.h"

namespace tracciato {

namespace {

Scenario compile_in_memory(const std::string& line, const std::string& train,
                           const ScenarioNames& names, bool geometry) {
  MemoryDescription l(line_description_name(names.base_name), line);
  MemoryDescription t(train_description_name(names.base_name, names.train_number), train);
  return memorizza_percorso({l, t, {names.base_name, names.train_number}, geometry ? 1 : 0});
}

// Code rows for the code and code-end markers the signal code pass did not make by itself.
// Gives whether any was added.
bool add_code_rows(const CompiledInput& in, const Scenario& compiled, TrainRows& train) {
  if (compiled.errors.failed() || compiled.cells.size() != in.cells.size()) return false;
  bool added = false;
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    const TrackCell& held = in.cells[i];
    const TrackCell& given = compiled.cells.cells()[i];
    const bool code = held.cell_type == cell_type::kCodeMarker;
    if (!code && held.cell_type != cell_type::kCodeEndMarker) continue;
    if (held.cell_type == given.cell_type && held.cell_value == given.cell_value) continue;
    // A code row's value above 0 is stored in 16 bits; 0 or less makes a code-end marker.
    std::int64_t value = 0;
    if (code) value = held.cell_value > 0 ? held.cell_value : held.cell_value + 65536;
    train.add_code_row(static_cast<std::int64_t>(i), value);
    added = true;
  }
  return added;
}

// A compile places code markers around slowdowns by itself; each round adds rows for
// the markers it did not make, whose cells may move the ones it makes.
constexpr int kCodeRounds = 3;

}  // namespace

Decompiled decompile(const CompiledSet& set, std::size_t kept) {
  const CompiledInput in = read_compiled(set);
  Decompiled out;
  out.names = {cp1252_to_utf8(in.header.at(header_index::kIdentity).record_text),
               cp1252_to_utf8(in.header.at(header_index::kSignalling).record_text)};
  out.geometry = set.geometry.has_value();
  Unexplained why;
  out.line = line_description_bytes(in, set.geometry, why);
  TrainRows train(in, why);
  Scenario compiled = compile_in_memory(out.line, train.bytes(), out.names, out.geometry);
  for (int round = 0; round < kCodeRounds && add_code_rows(in, compiled, train); ++round) {
    compiled = compile_in_memory(out.line, train.bytes(), out.names, out.geometry);
  }
  out.train = train.bytes();
  Proof proof = compare_build(set, in, compiled, out.names, why, kept);
  out.differences = std::move(proof.differences);
  out.differences_left_out = proof.left_out;
  return out;
}

}  // namespace tracciato
