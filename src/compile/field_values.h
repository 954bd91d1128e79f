#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compile/row_kinds.h"

namespace tracciato {

// What the compile makes of a field's written number, as the row table's storage says.

struct StoredValue {
  // What the simulator reads back, in the author's unit: a position is the metre its cell
  // stands for. Nothing where the value does not fit and the compile fails (error 25).
  std::optional<std::int64_t> value;
  // For a position: the 50 m cell it goes to.
  std::optional<std::int64_t> cell;
};

// Nothing where the storage takes other fields into account (packed values, a platform,
// a departure time) or the field is a text. `decreasing`: a kilometric progressive whose
// kilometres decrease along the route.
std::optional<StoredValue> stored_value(const FieldSpec& field, std::int64_t written,
                                        bool decreasing = false);

// Whether the simulator gets something other than what is written.
bool differs(const StoredValue& stored, std::int64_t written);

// The range the simulator's field holds: "-100 to 155 per mille", "any whole number of
// 32 bits" or "text".
std::string range_words(const FieldSpec& field);

// A whole number with its thousands separated: "-16,900".
std::string thousands(std::int64_t v);

}  // namespace tracciato
