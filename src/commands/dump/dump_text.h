#pragma once

#include <ostream>

#include "format/dump_decoder.h"

namespace tracciato {

// One line per record, cell or metre, each field as name=value, after a summary line that
// starts with "#". Unless `all`, cells that hold no object are left out and the geometry
// is thinned to every 100th metre and the metres where its tags change.
void write_dump_text(std::ostream& out, const DecodedFile& file, bool all);

}  // namespace tracciato
