#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "format/dump_decoder.h"

namespace tracciato {

// The whole file as one JSON object: {"kind", "bytes", and "records", "cells" or "points"},
// every item with its index (and offset) and every field under the model's name. Texts are
// UTF-8; a geometry value that is empty is null, one that is not finite a string.
void write_dump_json(std::ostream& out, const DecodedFile& file);

}  // namespace tracciato
