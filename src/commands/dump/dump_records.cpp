// What each header record holds, by its index and the header's stations and signboards.
#include "base/json_string.h"
#include "commands/dump/dump_fields.h"
#include "model/header_records.h"

namespace tracciato {

namespace {

// A route position, with the line's kilometre there when the header gives one.
void add_position(ShownItem& out, const char* name, std::int64_t p, const HeaderPlan& plan) {
  ShownField& f = add_field(out, name, p, Unit::kMetres, p);
  const auto km = plan.kilometres ? plan.kilometres->kilometre_at(p) : std::nullopt;
  if (km) f.details.push_back({"km", json_string(railway_kilometre(*km)), railway_kilometre(*km)});
}

// The generic fields of a record under their generic names, for what a kind leaves unused.
template <typename F>
void for_each_generic(const HeaderRecord& r, F&& f) {
  f("record_kind", std::int64_t{r.record_kind});
  f("record_start", std::int64_t{r.record_start});
  f("record_end", std::int64_t{r.record_end});
  f("record_position", std::int64_t{r.record_position});
  f("record_flag", std::int64_t{r.record_flag});
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

// Flags every field of `unused` (the record with its kind's fields cleared) that is not 0.
void flag_unused(ShownItem& out, const HeaderRecord& unused) {
  for_each_generic(unused, [&out](const char* name, std::int64_t value) {
    if (value != 0) add_field(out, name, value).invalid = "not used by this record, always 0";
  });
  if (!unused.record_text.empty()) {
    add_text_field(out, "record_text", unused.record_text);
    out.fields.back().invalid = "not used by this record, always empty";
  }
}

void show_station(const HeaderRecord& r, const HeaderPlan& plan, ShownItem& out) {
  const StationView s(r);
  out.object = "station";
  out.span = CellSpan{s.platform_start, s.platform_end};
  add_field(out, "kind", s.kind);
  add_position(out, "platform_start", s.platform_start, plan);
  add_position(out, "platform_end", s.platform_end, plan);
  add_position(out, "position", s.position, plan);
  add_field(out, "station_flag", s.station_flag);
  add_text_field(out, "name", s.name);
  add_field(out, "value_1", s.value_1);
  add_field(out, "value_2", s.value_2);
  add_field(out, "value_3", s.value_3);
  add_field(out, "value_4", s.value_4);
  add_field(out, "value_5", s.value_5);
  add_field(out, "value_6", s.value_6);
  ShownField& stop = add_field(out, "stop_duration", s.stop_duration);
  if (s.stop_duration == 0) stop.details.push_back({"passes", "true", "passes"});
  add_field(out, "end_extension_flag", s.end_extension_flag);
  add_field(out, "long_platform_flag", s.long_platform_flag);
  add_field(out, "departure_time", s.departure_time, Unit::kClock, s.departure_time);
}

void show_signboard(const HeaderRecord& r, ShownItem& out) {
  HeaderRecord rest = r;
  SignboardView view(rest);
  out.object = "signboard text";
  add_text_field(out, "text", view.text);
  view.text.clear();
  flag_unused(out, rest);
}

void show_progressive(const HeaderRecord& r, const HeaderPlan& plan, ShownItem& out) {
  HeaderRecord rest = r;
  ProgressiveView view(rest);
  const bool used = view.start != 0 || view.kilometric_value != 0 || view.direction_flag != 0;
  out.object = used ? "kilometric progressive" : "unused kilometric progressive";
  if (used) out.object_at = view.start;
  add_position(out, "start", view.start, plan);
  ShownField& value = add_field(out, "kilometric_value", view.kilometric_value, Unit::kMetres,
                                view.kilometric_value);
  value.details.push_back({"km", json_string(railway_kilometre(view.kilometric_value)),
                           railway_kilometre(view.kilometric_value)});
  ShownField& direction = add_field(out, "direction_flag", view.direction_flag);
  const bool decreasing = view.direction_flag == 1;
  direction.details.push_back({"decreasing", decreasing ? "true" : "false",
                               decreasing ? "kilometres decrease" : "kilometres increase"});
  view.start = view.kilometric_value = view.direction_flag = 0;
  flag_unused(out, rest);
}

void show_train_values(const HeaderRecord& r, ShownItem& out) {
  HeaderRecord rest = r;
  TrainValuesView view(rest);
  out.object = "train values";
  add_field(out, "braked_mass_percentage", view.braked_mass_percentage, Unit::kPercent,
            view.braked_mass_percentage);
  add_field(out, "route_length", view.route_length, Unit::kMetres, view.route_length);
  add_field(out, "car_count", view.car_count);
  view.braked_mass_percentage = view.route_length = view.car_count = 0;
  flag_unused(out, rest);
}

constexpr std::int16_t kHeaderStamp = 610;

void show_identity(const HeaderRecord& r, ShownItem& out) {
  HeaderRecord rest = r;
  IdentityView view(rest);
  out.object = "scenario identity";
  add_field(out, "background_one", view.background_one);
  add_field(out, "background_three", view.background_three);
  add_field(out, "background_two", view.background_two);
  add_text_field(out, "base_name", view.base_name);
  ShownField& stamp = add_field(out, "format_stamp", view.format_stamp);
  if (view.format_stamp != kHeaderStamp) stamp.invalid = "the stamp is always 610";
  add_field(out, "competition_code_st", view.competition_code_st);
  view.background_one = view.background_three = view.background_two = 0;
  view.base_name.clear();
  view.format_stamp = 0;
  view.competition_code_st = 0;
  flag_unused(out, rest);
}

void show_signalling(const HeaderRecord& r, ShownItem& out) {
  HeaderRecord rest = r;
  SignallingView view(rest);
  out.object = "signalling and train settings";
  add_field(out, "first_repetition_distance", view.first_repetition_distance, Unit::kMetres,
            view.first_repetition_distance);
  add_field(out, "second_repetition_distance", view.second_repetition_distance, Unit::kMetres,
            view.second_repetition_distance);
  add_field(out, "code_count", view.code_count);
  add_text_field(out, "train_number", view.train_number);
  add_field(out, "sand", view.sand);
  add_field(out, "clock_hours", view.clock_hours);
  add_field(out, "clock_minutes", view.clock_minutes);
  ShownField& seconds = add_field(out, "clock_seconds", view.clock_seconds);
  const std::int64_t start =
      (std::int64_t{view.clock_hours} * 60 + view.clock_minutes) * 60 + view.clock_seconds;
  seconds.details.push_back({"start_clock", json_string(clock_text(start)), clock_text(start)});
  view.first_repetition_distance = view.second_repetition_distance = view.code_count = 0;
  view.train_number.clear();
  view.sand = view.clock_hours = view.clock_minutes = view.clock_seconds = 0;
  flag_unused(out, rest);
}

void show_free(const HeaderRecord& r, ShownItem& out) {
  out.object = "free";
  flag_unused(out, r);
}

}  // namespace

HeaderPlan plan_header(std::span<const std::uint8_t> bytes) {
  HeaderPlan plan;
  ScenarioHeader header;
  RecordReader reader(bytes);
  DecodedRecord r;
  bool stations_run = true;
  try {
    while (reader.next(r)) header.at(r.index) = r.record;
  } catch (const DecodeError&) {
    // Told when the walk reaches it; the records before it are planned as they stand.
  }
  const HeaderRecord cleared;
  for (int i = header_index::kFirstStation; i <= header_index::kFirstSignboard && stations_run;
       ++i) {
    stations_run = header.at(i) != cleared;
    if (stations_run) plan.stations = i;
  }
  for (int i = header_index::kFirstSignboard; i > plan.stations && header.at(i) != cleared; --i) {
    plan.first_signboard = i;
  }
  plan.kilometres = LineKilometres::from_header(header);
  return plan;
}

void show_record(const DecodedRecord& r, const HeaderPlan& plan, ShownItem& out) {
  reset_item(out, "record", static_cast<std::size_t>(r.index));
  out.offset = r.offset;
  if (r.index >= header_index::kFirstStation && r.index <= plan.stations) {
    show_station(r.record, plan, out);
  } else if (r.index >= plan.first_signboard && r.index <= header_index::kFirstSignboard) {
    show_signboard(r.record, out);
  } else if (r.index >= header_index::kProgressiveTre && r.index <= header_index::kProgressiveUno) {
    show_progressive(r.record, plan, out);
  } else if (r.index == header_index::kTrainValues) {
    show_train_values(r.record, out);
  } else if (r.index == header_index::kIdentity) {
    show_identity(r.record, out);
  } else if (r.index == header_index::kSignalling) {
    show_signalling(r.record, out);
  } else {
    show_free(r.record, out);
  }
}

}  // namespace tracciato
