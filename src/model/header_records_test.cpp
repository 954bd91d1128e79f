#include "model/header_records.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>

namespace tracciato {
namespace {

// Every raw field by name, so that a mismatch shows which field moved.
std::string shown(const HeaderRecord& r) {
  std::ostringstream out;
  out << "kind=" << int{r.record_kind} << " start=" << r.record_start << " end=" << r.record_end
      << " position=" << r.record_position << " flag=" << int{r.record_flag} << " text=\""
      << r.record_text << "\" words=" << r.record_word_1 << "," << r.record_word_2 << ","
      << r.record_word_3 << "," << r.record_word_4 << "," << r.record_word_5
      << " bytes=" << int{r.record_byte_1} << "," << int{r.record_byte_2} << ","
      << int{r.record_byte_3} << "," << int{r.record_byte_4} << " time=" << r.record_time;
  return out.str();
}

struct Assign {
  template <typename Field, typename Value>
  void operator()(Field& field, const Value& value) const {
    field = value;
  }
};

struct ExpectHolds {
  template <typename Field, typename Value>
  void operator()(const Field& field, const Value& value) const {
    EXPECT_EQ(field, value);
  }
};

struct ViewCase {
  const char* name;
  int record;
  std::function<void(ScenarioHeader&)> write;
  std::function<void(const ScenarioHeader&)> expect_read;
  HeaderRecord raw;  // the record once every field of the view is written
};
void PrintTo(const ViewCase& c, std::ostream* os) {
  *os << c.name;
}

// `locate(header, record)` gives the view of the record; `fields(view, each)` calls
// each(field, value) once for every field of the view, with a value of its own.
template <typename Locate, typename Fields>
ViewCase view_case(const char* name, int record, Locate locate, Fields fields, HeaderRecord raw) {
  return {name, record, [=](ScenarioHeader& h) { fields(locate(h, record), Assign{}); },
          [=](const ScenarioHeader& h) { fields(locate(h, record), ExpectHolds{}); },
          std::move(raw)};
}

class HeaderRecordViews : public ::testing::TestWithParam<ViewCase> {};

// Written through its view, the record holds each value in the raw field of its kind and
// no other record changes; read through a view, the raw fields give the values back.
TEST_P(HeaderRecordViews, RoundTripThroughTheRawFieldsOfTheirKind) {
  const ViewCase& c = GetParam();
  ScenarioHeader written;
  c.write(written);
  for (int i = 0; i < ScenarioHeader::kRecords; ++i) {
    const HeaderRecord expected = i == c.record ? c.raw : HeaderRecord{};
    EXPECT_EQ(shown(written.at(i)), shown(expected)) << "record " << i;
  }
  ScenarioHeader raw;
  raw.at(c.record) = c.raw;
  c.expect_read(raw);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, HeaderRecordViews,
    ::testing::Values(view_case(
                          "Station", 7, [](auto& h, int i) { return StationView(h.at(i)); },
                          [](const auto& v, const auto& each) {
                            each(v.kind, 2);
                            each(v.platform_start, 4800);
                            each(v.platform_end, 5250);
                            each(v.position, 5000);
                            each(v.station_flag, 3);
                            each(v.name, "CASTELVERSO");
                            each(v.value_1, 4);
                            each(v.value_2, 5);
                            each(v.value_3, 6);
                            each(v.value_4, 7);
                            each(v.value_5, 8);
                            each(v.value_6, 9);
                            each(v.stop_duration, 50);
                            each(v.end_extension_flag, 10);
                            each(v.long_platform_flag, 11);
                            each(v.departure_time, 51900);
                          },
                          HeaderRecord{.record_kind = 2,
                                       .record_start = 4800,
                                       .record_end = 5250,
                                       .record_position = 5000,
                                       .record_flag = 3,
                                       .record_text = "CASTELVERSO",
                                       .record_word_1 = 4,
                                       .record_word_2 = 5,
                                       .record_word_3 = 7,
                                       .record_word_4 = 8,
                                       .record_word_5 = 9,
                                       .record_byte_1 = 6,
                                       .record_byte_2 = 50,
                                       .record_byte_3 = 10,
                                       .record_byte_4 = 11,
                                       .record_time = 51900}),
                      view_case(
                          "Signboard", 79, [](auto& h, int i) { return SignboardView(h.at(i)); },
                          [](const auto& v, const auto& each) { each(v.text, "(Sottovia)"); },
                          HeaderRecord{.record_text = "(Sottovia)"}),
                      view_case(
                          "Progressive", 82,
                          [](auto& h, int i) { return ProgressiveView(h.at(i)); },
                          [](const auto& v, const auto& each) {
                            each(v.start, 50000);
                            each(v.kilometric_value, 20000);
                            each(v.direction_flag, 1);
                          },
                          HeaderRecord{.record_start = 50000,
                                       .record_end = 20000,
                                       .record_position = 1,
                                       .record_text = {}}),
                      view_case(
                          "TrainValues", 84, [](auto& h, int) { return train_values_record(h); },
                          [](const auto& v, const auto& each) {
                            each(v.braked_mass_percentage, 110);
                            each(v.route_length, 136000);
                            each(v.car_count, 4);
                          },
                          HeaderRecord{.record_start = 110,
                                       .record_end = 136000,
                                       .record_position = 4,
                                       .record_text = {}}),
                      view_case(
                          "Identity", 85, [](auto& h, int) { return identity_record(h); },
                          [](const auto& v, const auto& each) {
                            each(v.background_one, 78300);
                            each(v.background_three, 26800);
                            each(v.background_two, 1);
                            each(v.base_name, "BrenzanoC_OstuviaC");
                            each(v.format_stamp, 610);
                            each(v.competition_code_st, 33756);
                          },
                          HeaderRecord{.record_start = 78300,
                                       .record_end = 26800,
                                       .record_position = 1,
                                       .record_text = "BrenzanoC_OstuviaC",
                                       .record_word_1 = 610,
                                       .record_time = 33756}),
                      view_case(
                          "Signalling", 86, [](auto& h, int) { return signalling_record(h); },
                          [](const auto& v, const auto& each) {
                            each(v.first_repetition_distance, 1000);
                            each(v.second_repetition_distance, 1500);
                            each(v.code_count, 4);
                            each(v.train_number, "4417");
                            each(v.sand, 100);
                            each(v.clock_hours, 14);
                            each(v.clock_minutes, 9);
                            each(v.clock_seconds, 45);
                          },
                          HeaderRecord{.record_start = 1000,
                                       .record_end = 1500,
                                       .record_position = 4,
                                       .record_text = "4417",
                                       .record_word_1 = 100,
                                       .record_word_3 = 14,
                                       .record_word_4 = 9,
                                       .record_word_5 = 45})),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
