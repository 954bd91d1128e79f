#pragma once

#include <memory>
#include <ostream>

#include "commands/dump/dump_writer.h"

namespace tracciato {

// One line per item after a summary line that starts with "#": "cell 82: 4,100–4,150 m,
// offset 1230, signal at 4,050 m: type=1 aspects_1=43 (left 4, right 3) ...". A line
// with a value the format does not allow starts with "! ", the value followed by
// "!(reason)". --diff shows each differing item as "< " and "> " lines and ends with the
// count.
std::unique_ptr<DumpWriter> text_dump_writer(std::ostream& out);

}  // namespace tracciato
