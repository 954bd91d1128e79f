#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "compile/decompile/compiled_input.h"
#include "compile/decompile/description_text.h"

namespace tracciato {

// The train description whose compile gives the set's train: general values, adhesion and
// speed runs, stations, slowdowns and signals in route order; the code rows, which only
// a compile can tell from the markers the signal code pass makes by itself, are added
// once it has run.
class TrainRows {
 public:
  TrainRows(const CompiledInput& in, Unexplained& why);
  // A code row at cell `cell` with `value` (0 or less: a code-end marker); a later one on
  // the same cell replaces it.
  void add_code_row(std::int64_t cell, std::int64_t value) { code_rows_[cell] = value; }
  std::size_t code_rows() const { return code_rows_.size(); }
  std::string bytes() const;

 private:
  DescriptionText rows_;
  std::map<std::int64_t, std::int64_t> code_rows_;
};

}  // namespace tracciato
