#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

#include "model/scenario_header.h"

namespace tracciato {

// The header records keep their values in generic fields whose meaning depends on the
// record's index. Each view below names the fields of one kind of record. A view refers
// to the record's own fields, so what is written through it is written to the record at
// once, and a view of a const record only reads.

// One field of the viewed record, as const as the record.
template <typename Record, typename T>
using RecordField = std::conditional_t<std::is_const_v<Record>, const T&, T&>;

// Records 1 up to the station count: one timetable station each, in row order.
template <typename Record>
struct StationView {
  explicit StationView(Record& r)
      : kind(r.record_kind),
        platform_start(r.record_start),
        platform_end(r.record_end),
        position(r.record_position),
        station_flag(r.record_flag),
        name(r.record_text),
        value_1(r.record_word_1),
        value_2(r.record_word_2),
        value_4(r.record_word_3),
        value_5(r.record_word_4),
        value_6(r.record_word_5),
        value_3(r.record_byte_1),
        stop_duration(r.record_byte_2),
        end_extension_flag(r.record_byte_3),
        long_platform_flag(r.record_byte_4),
        departure_time(r.record_time) {}

  RecordField<Record, std::uint8_t> kind;
  // Metres along the route.
  RecordField<Record, std::int32_t> platform_start;
  RecordField<Record, std::int32_t> platform_end;
  RecordField<Record, std::int32_t> position;
  RecordField<Record, std::uint8_t> station_flag;
  RecordField<Record, std::string> name;
  // Station values 1 to 6 of the row, kept as written; value 3 is the only byte.
  RecordField<Record, std::int16_t> value_1;
  RecordField<Record, std::int16_t> value_2;
  RecordField<Record, std::int16_t> value_4;
  RecordField<Record, std::int16_t> value_5;
  RecordField<Record, std::int16_t> value_6;
  RecordField<Record, std::uint8_t> value_3;
  RecordField<Record, std::uint8_t> stop_duration;
  RecordField<Record, std::uint8_t> end_extension_flag;
  RecordField<Record, std::uint8_t> long_platform_flag;
  // Seconds after midnight.
  RecordField<Record, std::int32_t> departure_time;
};

// Records from 80 down: one signboard text each, the first row's in 80.
template <typename Record>
struct SignboardView {
  explicit SignboardView(Record& r) : text(r.record_text) {}

  RecordField<Record, std::string> text;
};

// Records 81 to 83: one kilometric numbering of the line each.
template <typename Record>
struct ProgressiveView {
  explicit ProgressiveView(Record& r)
      : start(r.record_start), kilometric_value(r.record_end), direction_flag(r.record_position) {}

  // The route position where the numbering begins, and its kilometre there, in metres.
  RecordField<Record, std::int32_t> start;
  RecordField<Record, std::int32_t> kilometric_value;
  // 1 when the kilometres decrease along the route.
  RecordField<Record, std::int32_t> direction_flag;
};

// Record 84.
template <typename Record>
struct TrainValuesView {
  explicit TrainValuesView(Record& r)
      : braked_mass_percentage(r.record_start),
        route_length(r.record_end),
        car_count(r.record_position) {}

  RecordField<Record, std::int32_t> braked_mass_percentage;
  RecordField<Record, std::int32_t> route_length;  // metres
  RecordField<Record, std::int32_t> car_count;
};

// Record 85: what the scenario is, and the stamps that prove it was compiled.
template <typename Record>
struct IdentityView {
  explicit IdentityView(Record& r)
      : background_one(r.record_start),
        background_three(r.record_end),
        background_two(r.record_position),
        base_name(r.record_text),
        format_stamp(r.record_word_1),
        competition_code_st(r.record_time) {}

  RecordField<Record, std::int32_t> background_one;
  RecordField<Record, std::int32_t> background_three;
  RecordField<Record, std::int32_t> background_two;
  RecordField<Record, std::string> base_name;
  RecordField<Record, std::int16_t> format_stamp;
  RecordField<Record, std::int32_t> competition_code_st;
};

// Record 86: signal repetition and the train's settings.
template <typename Record>
struct SignallingView {
  explicit SignallingView(Record& r)
      : first_repetition_distance(r.record_start),
        second_repetition_distance(r.record_end),
        code_count(r.record_position),
        train_number(r.record_text),
        sand(r.record_word_1),
        clock_hours(r.record_word_3),
        clock_minutes(r.record_word_4),
        clock_seconds(r.record_word_5) {}

  // Metres, multiples of 50.
  RecordField<Record, std::int32_t> first_repetition_distance;
  RecordField<Record, std::int32_t> second_repetition_distance;
  // 4 or 9 signal codes; 0 without a second distance.
  RecordField<Record, std::int32_t> code_count;
  RecordField<Record, std::string> train_number;
  RecordField<Record, std::int16_t> sand;
  // The simulation's start time of day.
  RecordField<Record, std::int16_t> clock_hours;
  RecordField<Record, std::int16_t> clock_minutes;
  RecordField<Record, std::int16_t> clock_seconds;
};

// A header, const or not.
template <typename Header>
concept AnyScenarioHeader = std::same_as<std::remove_const_t<Header>, ScenarioHeader>;

template <AnyScenarioHeader Header>
auto train_values_record(Header& h) {
  return TrainValuesView(h.at(header_index::kTrainValues));
}

template <AnyScenarioHeader Header>
auto identity_record(Header& h) {
  return IdentityView(h.at(header_index::kIdentity));
}

template <AnyScenarioHeader Header>
auto signalling_record(Header& h) {
  return SignallingView(h.at(header_index::kSignalling));
}

}  // namespace tracciato
