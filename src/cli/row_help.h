#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compile/row_kinds.h"

namespace tracciato {

// The row table told to an author: `tracciato help rows` and `tracciato explain ROW`.

// Every keyword as written with its row kind, section by section, in the order the
// reader tests a keyword.
std::string rows_help();

// The row kinds a word names: those whose keyword rule it meets, as the reader tests a
// keyword ("stazione", "curvas4"); else those of that name ("station", "speed board");
// else those whose keyword as written holds it ("progressiva", "sfondo"). Nothing for a
// word of no row.
std::vector<const RowKind*> rows_named(std::string_view word);

// "; did you mean stazione?" for a word one slip away from a keyword as written or a
// kind's name; empty otherwise.
std::string did_you_mean_row(std::string_view word);

// The row kind in full: its keywords as written and the rule the reader follows, where
// the writer puts it, how far along the track it may stand, and each field in order with
// its name, unit, range, storage and what it does. Lines of at most 80 characters.
std::string row_explanation(const RowKind& row);

}  // namespace tracciato
