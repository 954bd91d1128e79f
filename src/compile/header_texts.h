#pragma once

#include <string_view>

#include "model/scenario.h"

namespace tracciato {

// A text the compile stores in a header record: `what` ("the station name") read at
// `at`. One longer than a record holds is error 25: a check is told so at once, at the
// field; a compile keeps the first such text and fails with it as the header is written.
void store_header_text(Scenario& s, std::string_view text, std::string_view what,
                       const SourceLocation& at);

// The step that writes the header's texts: the first overlong text read, or a base name
// or train number too long for its record, is error 25. A check is told of the names
// here, of the texts already at their rows.
void refuse_overlong_texts(Scenario& s);

}  // namespace tracciato
