#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/cp1252.h"
#include "format/dump_decoder.h"
#include "model/scenario_header.h"
#include "model/track_cell_array.h"

namespace tracciato {

// A stored text, already converted to UTF-8 for showing.
struct ShownText {
  std::string utf8;
};

// The fields of each kind of item under the names the model gives them, in file order.
// `f(name, value)` receives an std::int64_t, a ShownText or, for geometry values, an
// std::optional<double> (empty for an empty value).
template <typename F>
void for_each_field(const HeaderRecord& r, F&& f) {
  f("record_kind", std::int64_t{r.record_kind});
  f("record_start", std::int64_t{r.record_start});
  f("record_end", std::int64_t{r.record_end});
  f("record_position", std::int64_t{r.record_position});
  f("record_flag", std::int64_t{r.record_flag});
  f("record_text", ShownText{cp1252_to_utf8(r.record_text)});
  f("record_word_1", std::int64_t{r.record_word_1});
  f("record_word_2", std::int64_t{r.record_word_2});
  f("record_word_3", std::int64_t{r.record_word_3});
  f("record_word_4", std::int64_t{r.record_word_4});
  f("record_word_5", std::int64_t{r.record_word_5});
  f("record_byte_1", std::int64_t{r.record_byte_1});
  f("record_byte_2", std::int64_t{r.record_byte_2});
  f("record_byte_3", std::int64_t{r.record_byte_3});
  f("record_byte_4", std::int64_t{r.record_byte_4});
  f("record_time", std::int64_t{r.record_time});
}

template <typename F>
void for_each_field(const TrackCell& c, F&& f) {
  f("cell_type", std::int64_t{c.cell_type});
  f("cell_value", std::int64_t{c.cell_value});
  f("cell_value_2", std::int64_t{c.cell_value_2});
  f("cell_value_3", std::int64_t{c.cell_value_3});
  f("cell_value_4", std::int64_t{c.cell_value_4});
  f("cell_timer", std::int64_t{c.cell_timer});
  f("cell_approach_mark", std::int64_t{c.cell_approach_mark});
  f("cell_mountain", std::int64_t{c.cell_mountain});
  f("cell_speed", std::int64_t{c.cell_speed});
  f("cell_gradient", std::int64_t{c.cell_gradient});
  f("cell_adhesion", std::int64_t{c.cell_adhesion});
}

inline std::optional<double> shown_value(const TaggedValue& v) {
  if (v.tag == 0) return std::nullopt;
  return v.value;
}

template <typename F>
void for_each_field(const DecodedPoint& p, F&& f) {
  f("lateral_tag", std::int64_t{p.lateral.tag});
  f("lateral", shown_value(p.lateral));
  f("along_tag", std::int64_t{p.along.tag});
  f("along", shown_value(p.along));
}

// Whether a cell holds anything besides its profiles (speed, gradient, adhesion).
bool holds_object(const TrackCell& c);

// Shortest text that reads back as the same double: "0", "1.5", "1e+300", "nan", "-inf".
std::string shortest_number(double v);

}  // namespace tracciato
