#include "compile/decompile/compiled_input.h"

#include "format/dump_decoder.h"

namespace tracciato {

CompiledInput read_compiled(const CompiledSet& set) {
  CompiledInput in;
  RecordReader records(set.header);
  DecodedRecord record;
  while (records.next(record)) in.header.at(record.index) = std::move(record.record);
  const CellReader cells(set.cells);
  if (const auto damage = cells.damage()) throw *damage;
  in.cells.reserve(cells.count());
  for (std::size_t i = 0; i < cells.count(); ++i) in.cells.push_back(cells.at(i));
  return in;
}

}  // namespace tracciato
