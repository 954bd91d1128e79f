#pragma once

#include <memory>
#include <ostream>

#include "commands/dump/dump_writer.h"

namespace tracciato {

// One JSON object: "kind", "bytes", "count", the range asked for, then the items under
// "records", "cells", "points" (or "values" for a geometry that cannot be paired), one per
// line, then "flagged" and, for a damaged file, "error" with its offset and reason. A
// field with a unit or a further reading is an object holding "raw" beside them; a value
// the format does not allow carries "invalid". --diff gives "a", "b", "differences" (each
// {"a": item or null, "b": item or null}) and "count".
std::unique_ptr<DumpWriter> json_dump_writer(std::ostream& out);

}  // namespace tracciato
