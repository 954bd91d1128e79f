#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "commands/dump/dump_writer.h"
#include "format/dump_decoder.h"

namespace tracciato {

struct DumpOptions {
  DumpRange range;
  // Also the cells without an object and every metre.
  bool all = false;
};

// Writes the items of one file of `kind` that the options select, one at a time, and
// returns the damage found, if any, after everything before it was written.
std::optional<DecodeError> dump_file(CompiledKind kind, const DumpedFile& name,
                                     std::span<const std::uint8_t> bytes,
                                     const DumpOptions& options, DumpWriter& out);

// Writes the items that differ between two undamaged files of `kind` within the range and
// returns how many.
std::size_t dump_differences(CompiledKind kind, const DumpedFile& a_name,
                             std::span<const std::uint8_t> a, const DumpedFile& b_name,
                             std::span<const std::uint8_t> b, const DumpRange& range,
                             DumpWriter& out);

// Whether a record or cell lies in the range: a station whose platform meets it, a
// progressive that starts in it, a cell whose span meets it or whose object stands in it.
bool in_range(const ShownItem& item, const DumpRange& range);

}  // namespace tracciato
