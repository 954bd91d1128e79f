#pragma once

#include <span>
#include <string_view>

namespace tracciato {

// A kind of row as an author knows it: its keyword as written and its name in messages.
struct RowKind {
  std::string_view keyword;  // "pendenza"
  std::string_view name;     // "gradient row"
};

// The row kinds of each section: the line's general section, the line's objects, the
// train.
std::span<const RowKind> general_kinds();
std::span<const RowKind> object_kinds();
std::span<const RowKind> train_kinds();

// The kind a keyword names by the words it must contain, as the compilers read it;
// nothing for a keyword that names none. Every progressive, background or
// signal-repetition keyword gives the first of its kind.
const RowKind* general_kind(std::string_view keyword);
const RowKind* object_kind(std::string_view keyword);
const RowKind* train_kind(std::string_view keyword);

}  // namespace tracciato
