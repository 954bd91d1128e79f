#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/unexpected_failure.h"
#include "compile/row_kinds.h"
#include "model/error_state.h"

namespace tracciato {

// How diagnostics speak of a field's value, with the row table's names and units.

// "1,277 km/h", "30 per mille", "4".
std::string with_unit(std::int64_t v, std::string_view unit);
// What the simulator reads back for a value of the field, in the author's unit, where its
// storage turns the value into another; nothing where it keeps it or refuses it.
std::optional<std::int64_t> stored_in_unit(const FieldSpec& field, std::int64_t v);
// A row as the format writes it: "pendenza, position, gradient"; a long one by its count:
// "stazione and 16 numbers, then its name".
std::string row_form(const RowKind& row);
// The fix for a number field the reader refused, in the field's own unit where that says
// more ("gradients are whole per mille: write 2 or 3").
std::string field_number_hint(const FieldSpec* field, std::string_view text);

// The failure that carries an unexpected failure the compile has already recorded in
// `errors`, with its place and notes: a value converted after the row that holds it.
UnexpectedFailure recorded_failure(const ErrorState& errors);

}  // namespace tracciato
