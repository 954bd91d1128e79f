#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/dump_decoder.h"
#include "model/positions.h"

namespace tracciato {

// What `dump` shows of one record, cell or metre: each field under the name of what it
// holds, its raw value, the value in its unit and where the object it stands for lies.

enum class Unit { kNone, kMetres, kKmH, kPerMille, kClock, kPercent };

// A further reading of a value: `json` is a JSON value, `text` the words shown.
struct Detail {
  const char* key = "";
  std::string json;
  std::string text;
};

struct ShownField {
  const char* name = "";
  enum class Form { kInteger, kText, kCoordinate } form = Form::kInteger;
  std::int64_t raw = 0;
  std::string text;                  // kText: UTF-8
  std::optional<double> coordinate;  // kCoordinate: empty for an empty value
  Unit unit = Unit::kNone;
  std::int64_t decoded = 0;  // in `unit`; seconds after midnight for kClock
  std::vector<Detail> details;
  std::string invalid;  // why the format does not allow the value
};

struct ShownItem {
  const char* what = "";  // "record", "cell", "metre" or "value"
  std::size_t index = 0;
  std::optional<std::size_t> offset;
  std::optional<CellSpan> span;  // a cell's metres; a station's platform
  std::string object;            // what the record or cell holds
  // Where that object stands when not at the span's start, and what the place is.
  std::optional<std::int64_t> object_at;
  const char* object_at_key = "at";
  const char* object_at_json = "object_at_m";
  std::vector<ShownField> fields;
  std::string invalid;

  bool flagged() const;
};

// What the header's records are, found in one walk over the header before it is shown.
struct HeaderPlan {
  int stations = 0;          // records 1 to `stations`
  int first_signboard = 81;  // records `first_signboard` to 80
  std::optional<LineKilometres> kilometres;
};
HeaderPlan plan_header(std::span<const std::uint8_t> bytes);

void show_record(const DecodedRecord& r, const HeaderPlan& plan, ShownItem& out);
// Cell `i`; its neighbours tell what its approach mark points at.
void show_cell(const CellReader& cells, std::size_t i, ShownItem& out);
void show_point(const DecodedPoint& p, ShownItem& out);
// One value of a geometry file whose values cannot be paired into metres.
void show_value(const TaggedValue& v, std::size_t index, ShownItem& out);

// Building an item: `reset_item` empties it for reuse, keeping its storage.
void reset_item(ShownItem& out, const char* what, std::size_t index);
ShownField& add_field(ShownItem& out, const char* name, std::int64_t raw, Unit unit = Unit::kNone,
                      std::int64_t decoded = 0);
ShownField& add_text_field(ShownItem& out, const char* name, const std::string& cp1252);
void add_detail(ShownField& f, const char* key, std::int64_t number, std::string text);

// Whether a cell holds anything besides its profiles (speed, gradient, adhesion).
bool holds_object(const TrackCell& c);

// Shortest text that reads back as the same double: "0", "1.5", "1e+300", "nan", "-inf".
std::string shortest_number(double v);
// The same, appended to `text` without a string of its own.
void append_number(std::string& text, double v);
// "16,900 m".
std::string metres_text(std::int64_t m);
// "14:10:00" for 51000 seconds after midnight.
std::string clock_text(std::int64_t seconds);

}  // namespace tracciato
