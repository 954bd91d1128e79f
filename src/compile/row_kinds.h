#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The one table of what every row of the two descriptions is: the words its keyword must
// contain, the section the writer puts it in, and its fields in order with their names,
// units, the range the simulator's field holds and how the compile stores them. The
// compilers, the checker, the messages, the editor and `explain` all read it.
namespace tracciato {

enum class Section { kLineGeneral, kLineObjects, kTrain };

enum class RowId {
  // The line's general section, in the order the reader tests a keyword.
  kRouteLength,
  kProgressiveTre,
  kProgressiveDue,
  kProgressiveUno,
  kBackgroundUno,
  kBackgroundDue,
  kBackgroundTre,
  kSignalRepetition,
  // The line's objects.
  kGradient,
  kCurve,
  kMountain,
  kSpeedBoard,
  kSignboard,
  // The train.
  kBrakedMass,
  kCars,
  kSpeedLimit,
  kAdhesion,
  kClock,
  kSand,
  kSignal,
  kSlowdown,
  kCodeDrop,
  kStation,
};

// How a field's value reaches the compiled files.
enum class Storage {
  kAsWritten,      // unchanged, 32 bits
  kCellPoint,      // the 50 m cell p / 50 + 1, rounded
  kCellRun,        // cells from p / 50 on, rounded
  kPlanMetres,     // metre by metre in the plan geometry
  kKilometre,      // unchanged, + 100 where the kilometres decrease along the route
  kDividedBy5,     // divided by 5, rounded to the nearest whole number
  kPlus100Low8,    // + 100, low 8 bits
  kLow8,           // low 8 bits
  kLow16,          // low 16 bits
  kNarrowed,       // unchanged; beyond the field's range the compile fails (error 25)
  kPacked,         // combined with other fields into one value of the cell
  kPlatformSpan,   // not stored: it places the platform's two ends
  kDepartureTime,  // with the other two, as seconds since midnight
  kText,           // text up to the next comma or the line's end
};

struct FieldSpec {
  std::string_view name;  // "departure hour"; the format's own name, where it has one, follows
  std::string_view word;  // "posizione", or empty
  std::string_view unit;  // "m", "km/h", "per mille", "%", "s", or empty for a plain number or text
  std::int64_t low;       // what the simulator's field holds, in the author's unit
  std::int64_t high;
  Storage storage;
  std::string_view note;  // what the field does besides, or empty
};

// A word the keyword must contain.
struct KeywordWord {
  std::string_view word;
  bool any_case;
};

// How the row's first field places it in the track.
enum class Placement { kNowhere, kRun, kPoint, kGeometry };

struct RowKind {
  RowId id;
  std::string_view keyword;  // as the writer writes it
  std::string_view name;     // "station row"
  Section section;
  std::string_view header;                     // the writer's section header, "[stazioni]"
  std::span<const KeywordWord> words;          // all of them, anywhere in the keyword field
  std::span<const std::string_view> keywords;  // every keyword as written: "curvad1", ...
  std::span<const FieldSpec> fields;           // after the keyword
  Placement placement;
  // Metres past the position that must still lie on the track: (p + reach) / 50 <= P.
  std::int32_t reach;
  // What the compile takes when a train has no such row; empty for rows that may be left out.
  std::string_view when_missing;
};

// Every row kind of a section, in the order the reader tests a keyword against them.
std::span<const RowKind> rows_of(Section section);
std::span<const RowKind> all_rows();
const RowKind& row_kind(RowId id);

// Whether the keyword field holds every word the row kind's keyword must contain.
bool names(const RowKind& row, std::string_view keyword);
inline bool names(RowId id, std::string_view keyword) {
  return names(row_kind(id), keyword);
}
// The first kind of the section the keyword names, as the reader tests them; a keyword may
// name several, and each then reads its fields in turn. Nothing for a keyword of no kind.
const RowKind* named_kind(Section section, std::string_view keyword);
// The kind whose keyword, as the writer writes it, the field is (trailing blanks aside);
// nothing for any other field.
const RowKind* written_kind(Section section, std::string_view keyword);
const RowKind* general_kind(std::string_view keyword);
const RowKind* object_kind(std::string_view keyword);
const RowKind* train_kind(std::string_view keyword);

// Field k of a row (1: the first after the keyword); nothing past its fields.
const FieldSpec* field_of(const RowKind& row, std::size_t k);
// "the departure hour of the station row".
std::string field_phrase(const RowKind& row, std::size_t k);
// The rule a keyword follows: "contains \"frenata\" and \"massa\" (any case)".
std::string keyword_rule(const RowKind& row);
// How the field is stored, in words: "+ 100, low 8 bits".
std::string_view storage_words(Storage storage);
// The section's name as an author reads it: "the line's general section".
std::string_view section_words(Section section);

}  // namespace tracciato
