#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tracciato::lsp {

// What the editor tells of each row kind: its fields by name and unit, in row order.
struct FieldInfo {
  std::string_view name;
  std::string_view unit;  // empty for a plain number or a text
};

enum class Section { kLineGeneral, kLineObjects, kTrain };

enum class Symbol { kNone, kStation, kSignal, kSlowdown, kSignboard, kCurve };

// How the row's first field places it: a run of cells from cell p / 50 (gradient, speed,
// adhesion, mountain), a point in cell p / 50 + 1, the plan geometry alone (a curve), or
// no position at all.
enum class Placement { kNowhere, kRun, kPoint, kGeometry };

struct RowInfo {
  std::string_view keyword;  // as the writer writes it
  std::string_view name;     // "station row"
  Section section;
  std::span<const FieldInfo> fields;  // after the keyword
  Placement placement;
  Symbol symbol;
};

// The kinds written in a section, for completion.
std::span<const RowInfo> rows_of(Section section);

// The kind a keyword names, by the compiler's own rules of what it must contain; each
// numbered kind (progressives, backgrounds, signal repetition) gives its first.
const RowInfo* row_named(std::string_view keyword, Section section);

}  // namespace tracciato::lsp
