#include "compile/train/train_compiler.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "base/rounding.h"
#include "compile/check_hooks.h"
#include "compile/field_diagnostics.h"
#include "compile/field_values.h"
#include "compile/header_texts.h"
#include "compile/railway_bounds.h"
#include "compile/row_checks.h"
#include "compile/row_kinds.h"
#include "compile/train/signal_recorder.h"
#include "compile/train/slowdown_recorder.h"
#include "model/error_codes.h"
#include "model/header_records.h"
#include "model/positions.h"
#include "textio/field_reader.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {

constexpr int kCommentSkips = 2;
constexpr std::int64_t kStationReach = 800;
constexpr std::int64_t kStationGap = 350;
constexpr std::int32_t kLongPlatform = 600;
constexpr std::int64_t kPlatformPastStation = 150;
constexpr std::uint8_t kFirstUnmarkedKind = 25;
// A station's approach marks, nearest the platform end first.
constexpr std::uint8_t kFirstStationApproachMark = 81;
// The fastest limit whose fifth, rounded, still fits the cell's byte.
constexpr std::int32_t kFastestStoredSpeed = 1277;

// Kinds 5 and 6: the platform runs back from 150 m past the station, without approach
// marks.
bool platform_behind(std::uint8_t kind) {
  return kind == 5 || kind == 6;
}
// Kinds 7 and 8: the platform runs its length on both sides of the station.
bool platform_both_sides(std::uint8_t kind) {
  return kind == 7 || kind == 8;
}

enum class Step { kNext, kEndOfFile, kEnd };

using Station = StationView<HeaderRecord>;

class TrainCompiler {
 public:
  TrainCompiler(Scenario& s, const TrainSource& src)
      : s_(s), src_(src), reader_(src.text), check_(s.observer, s.errors, reader_, src_.path) {
    check_.warn_byte_order_mark(src.text);
  }

  void run() {
    reader_.locate_failures([this] { compile(); });
  }

 private:
  void compile();
  // Field `k` of the row being read.
  SourceLocation here(std::size_t k) const { return check_.at(k); }
  // The row being read places objects or approach marks: its position field is where
  // they were written.
  void placing_row(RowId id) {
    const FieldSpan& at = reader_.row_field(1);
    s_.origins.begin_row({at.line, at.column, at.end_column, at.line_start, row_kind(id).name});
  }
  // Notes at the rows that wrote what stands in `cells`: objects, or approach marks.
  std::vector<Note> origins_of(const std::vector<std::int64_t>& cells, bool marks) const;
  std::int32_t last_index() const { return s_.cells.last_index(); }
  Step out_of_route(RowId row, std::int32_t p);
  // Records `code` at field `k` of the row, then ends the row.
  Step fail(std::int32_t code, std::size_t k, std::int32_t p, std::string why);
  Step fail_without_position(std::int32_t code, std::size_t k, std::string why);
  // After a code that ends the compile: go on past the row when checking.
  Step end_row() { return check_.skip_row() ? Step::kNext : Step::kEnd; }
  // Cells among `cells` whose approach mark the row is about to overwrite.
  void warn_overwritten_marks(const std::vector<std::int64_t>& cells, const char* by) const;
  // Rows a train needs that the description never gave: the compile takes 0 for them.
  void note_needed_row(std::string_view keyword);
  void warn_missing_rows() const;
  // A value beyond what a real train has, `low` to `high`: "a train of 80 cars".
  void warn_beyond(std::size_t k, std::int64_t v, std::int64_t low, std::int64_t high,
                   const char* what, const char* unit) const;
  // A time of day past 23:59:59 (`k`: the hour field).
  void warn_time_of_day(std::size_t k, std::int64_t h, std::int64_t m, std::int64_t sec,
                        const char* what) const;
  void warn_about_signal(const SignalRow& r) const;
  // Flags the compile drops, a departure out of the day, a timetable that runs backwards.
  void warn_about_times(const Station& station, std::int64_t h, std::int64_t m, std::int64_t sec);
  void warn_dropped_flags(const Station& station, std::int32_t length) const;
  std::int32_t route_length() const { return train_values_record(s_.header).route_length; }

  void skip_lead_in();
  Step row(std::string_view keyword);
  Step speed_row();
  Step adhesion_row();
  void clock_row();
  Step signal_row();
  Step slowdown_row();
  Step code_drop_row();
  Step station_row();
  void read_station_values(const Station& station);
  void place_platform(const Station& station, std::int32_t length) const;
  Step mark_station(const Station& station);
  Step after_recorder(std::int32_t position);
  void end_of_file();
  // The previous row's value from the fill index on, up to `until` but at least one cell:
  // a row that does not come after the previous one still writes a cell.
  void fill_speed(std::int64_t until);
  // The previous speed limit as the cells hold it, a fifth in one byte; a limit beyond
  // that fails at the row that holds it.
  std::uint8_t stored_speed();
  std::uint8_t refuse_speed();
  void record_progressive_off_grid(const ProgressiveView<HeaderRecord>& stored);
  void fill_adhesion(std::int64_t until);
  void check_progressives();
  template <typename T>
  T read_as() {
    const std::int32_t v = reader_.read_number();
    using limits = std::numeric_limits<T>;
    if (v < limits::min() || v > limits::max()) {
      throw check_.beyond_field(v, limits::min(), limits::max());
    }
    return static_cast<T>(v);
  }

  Scenario& s_;
  const TrainSource& src_;
  FieldReader reader_;
  CheckHooks check_;
  std::int32_t speed_fill_index_ = 0;
  std::int32_t previous_speed_ = 0;
  // The speed field of the row that set the previous speed: the cells take that limit
  // only when the next row, or the end of the file, fills them up to it.
  FieldSpan previous_speed_field_;
  bool reading_ended_ = false;
  std::int32_t adhesion_fill_index_ = 0;
  std::int32_t previous_adhesion_ = 0;
  std::int32_t station_counter_ = header_index::kFirstStation;
  // What the checker compares rows with.
  std::optional<std::int32_t> last_speed_, last_adhesion_, last_station_;
  // The departure of the last station with a time, and where it was written.
  std::optional<std::int64_t> last_departure_;
  bool stations_full_ = false;
  // What the checker looks for at the end: the "[generale]" row and the rows a train needs.
  bool general_found_ = false;
  std::vector<bool> seen_ = std::vector<bool>(rows_of(Section::kTrain).size());
};

void TrainCompiler::compile() {
  if (check_.refuse_utf16(src_.text)) return;
  skip_lead_in();
  for (;;) {
    const auto read = check_.read_keyword(kCommentSkips, true, Section::kTrain);
    if (!read) break;
    const std::string_view keyword = *read;
    check_.begin_row(keyword, Section::kTrain);
    const Step step = check_.row([&] { return row(keyword); }, Step::kNext);
    if (step == Step::kEnd) return;
    if (step == Step::kEndOfFile) break;
    if (check_.active() && check_.kind() == nullptr) {
      check_.unknown_keyword(keyword);
    }
  }
  end_of_file();
}

void TrainCompiler::skip_lead_in() {
  std::string_view field;
  do {
    field = reader_.read_text();
  } while (!contains_any_case(field, "[generale]") && !reader_.at_end());
  general_found_ = contains_any_case(field, "[generale]");
  if (general_found_ || !check_.active()) return;
  if (const auto misspelt = check_.misspelt_general(src_.text)) {
    check_.warn_at(*misspelt, std::nullopt,
                   "the file has no \"[generale]\", and this header is not it: the reader "
                   "skips the whole file, and the scenario has no train",
                   "did you mean \"[generale]\"?");
  } else {
    check_.warn_file("no \"[generale]\": the description compiles with no train");
  }
}

Step TrainCompiler::row(std::string_view k) {
  if (check_.active()) note_needed_row(k);
  const auto train = train_values_record(s_.header);
  if (names(RowId::kBrakedMass, k)) {
    train.braked_mass_percentage = reader_.read_number();
    warn_beyond(1, train.braked_mass_percentage, 0, railway_bounds::kHighestBrakedMass,
                "a braked mass of", "%");
  }
  if (names(RowId::kCars, k)) {
    train.car_count = reader_.read_number();
    warn_beyond(1, train.car_count, 1, railway_bounds::kMostCars, "a train of", "cars");
  }
  Step step = Step::kNext;
  if (names(RowId::kSpeedLimit, k)) step = speed_row();
  if (step == Step::kNext && names(RowId::kAdhesion, k)) step = adhesion_row();
  if (step != Step::kNext) return step;
  if (names(RowId::kClock, k)) clock_row();
  if (names(RowId::kSand, k)) {
    signalling_record(s_.header).sand = read_as<std::int16_t>();
  }
  if (names(RowId::kSignal, k)) step = signal_row();
  if (step == Step::kNext && names(RowId::kSlowdown, k)) step = slowdown_row();
  if (step == Step::kNext && names(RowId::kCodeDrop, k)) step = code_drop_row();
  if (step == Step::kNext && names(RowId::kStation, k)) step = station_row();
  return step;
}

Step TrainCompiler::out_of_route(RowId row, std::int32_t p) {
  record_beyond_route(s_, row_kind(row), p, here(1));
  return check_.skip_row() ? Step::kNext : Step::kEndOfFile;
}

Step TrainCompiler::fail(std::int32_t code, std::size_t k, std::int32_t p, std::string why) {
  s_.errors.record_at(code, p, std::move(why), here(k));
  return end_row();
}

Step TrainCompiler::fail_without_position(std::int32_t code, std::size_t k, std::string why) {
  s_.errors.record(code, std::move(why), here(k));
  return end_row();
}

std::vector<Note> TrainCompiler::origins_of(const std::vector<std::int64_t>& cells,
                                            bool marks) const {
  struct Written {
    ObjectOrigins::Origin origin;
    std::vector<std::string> places;
  };
  std::vector<Written> rows;
  for (const std::int64_t cell : cells) {
    auto origin = marks ? s_.origins.mark_at(cell) : s_.origins.object_at(cell);
    if (!origin) continue;
    const auto same = std::find_if(rows.begin(), rows.end(), [&](const Written& w) {
      return w.origin.at.path == origin->at.path && w.origin.at.line == origin->at.line;
    });
    const std::string place = metres(point_position(cell));
    if (same != rows.end()) {
      same->places.push_back(place);
    } else {
      rows.push_back({std::move(*origin), {place}});
    }
  }
  std::vector<Note> notes;
  for (Written& w : rows) {
    std::string places = w.places.front();
    for (std::size_t k = 1; k < w.places.size(); ++k) {
      places += (k + 1 == w.places.size() ? " and " : ", ") + w.places[k];
    }
    notes.push_back({std::move(w.origin.at),
                     "the " + std::string(w.origin.row) + " here wrote " +
                         (marks ? "the approach marks at " : "what stands at ") + places});
  }
  return notes;
}

void TrainCompiler::warn_overwritten_marks(const std::vector<std::int64_t>& cells,
                                           const char* by) const {
  std::string overwritten;
  std::vector<std::int64_t> marked;
  for (const std::int64_t cell : cells) {
    if (!s_.cells.contains(cell) || s_.cells.at(cell).cell_approach_mark == 0) continue;
    overwritten += (overwritten.empty() ? "" : ", ") + metres(point_position(cell));
    marked.push_back(cell);
  }
  if (!overwritten.empty()) {
    check_.warn_noted(
        1, std::string(by) + "'s approach marks overwrite those already at " + overwritten,
        origins_of(marked, true));
  }
}

Step TrainCompiler::speed_row() {
  const std::int32_t p = reader_.read_number();
  const std::int32_t v = reader_.read_number();
  if (!within_route(p, 100, last_index())) return out_of_route(RowId::kSpeedLimit, p);
  check_.warn_out_of_order("speed-limit", p, last_speed_);
  check_.warn_off_grid("the speed limit", p);
  check_.warn_stored(RowId::kSpeedLimit, 2, v);
  if (check_.active() && v > railway_bounds::kFastestSpeed) {
    check_.warn(2,
                "the speed limit of " + std::to_string(v) + " km/h at " + route_place(s_, p) +
                    " is above 350 km/h, faster than any line in service",
                p);
  }
  const std::int64_t w = run_cell(p);
  // A speed row's run stops short of the last cell.
  if (w > 0 && speed_fill_index_ < last_index()) {
    fill_speed(std::min<std::int64_t>(w, last_index()));
  }
  previous_speed_ = v;
  previous_speed_field_ = reader_.row_field(reader_.row_fields_read() - 1);
  return Step::kNext;
}

Step TrainCompiler::adhesion_row() {
  const std::int32_t p = reader_.read_number();
  const std::int32_t a = reader_.read_number();
  if (!within_route(p, 100, last_index())) return out_of_route(RowId::kAdhesion, p);
  check_.warn_out_of_order("adhesion", p, last_adhesion_);
  check_.warn_off_grid("the adhesion", p);
  check_.warn_stored(RowId::kAdhesion, 2, a);
  const std::int64_t w = run_cell(p);
  if (w > 0) fill_adhesion(w);
  previous_adhesion_ = a;
  return Step::kNext;
}

void TrainCompiler::clock_row() {
  const auto signalling = signalling_record(s_.header);
  signalling.clock_hours = read_as<std::int16_t>();
  signalling.clock_minutes = read_as<std::int16_t>();
  signalling.clock_seconds = read_as<std::int16_t>();
  warn_time_of_day(1, signalling.clock_hours, signalling.clock_minutes, signalling.clock_seconds,
                   "the clock");
}

Step TrainCompiler::after_recorder(std::int32_t position) {
  if (!s_.errors.failed()) return Step::kNext;
  s_.errors.attach_row(position, here(1));
  return end_row();
}

Step TrainCompiler::signal_row() {
  SignalRow r;
  for (std::int32_t* v :
       {&r.posizione, &r.sx, &r.s1, &r.s2, &r.s3, &r.rapp, &r.dx, &r.d1, &r.d2, &r.d3, &r.tempo}) {
    *v = reader_.read_number();
  }
  if (!within_route(r.posizione, 100, last_index()))
    return out_of_route(RowId::kSignal, r.posizione);
  check_.warn_off_grid("the signal", r.posizione);
  if (check_.active()) warn_about_signal(r);
  const std::int64_t signal_cell = point_cell(r.posizione);
  if (check_.active() && s_.cells.contains(signal_cell) && s_.cells.is_free(signal_cell)) {
    warn_overwritten_marks({signal_cell - 2, signal_cell - 4, signal_cell - 6, signal_cell - 8},
                           "the signal");
  }
  placing_row(RowId::kSignal);
  memo_segnale(s_, r);
  return after_recorder(r.posizione);
}

Step TrainCompiler::slowdown_row() {
  SlowdownRow r;
  for (std::int32_t* v : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *v = reader_.read_number();
  if (!within_route(r.x, 100, last_index())) return out_of_route(RowId::kSlowdown, r.x);
  check_.warn_off_grid("the slowdown", r.x);
  if (check_.active()) {
    check_.warn_stored(RowId::kSlowdown, 2, r.v);
    check_.warn_stored(RowId::kSlowdown, 4, r.f_tt);
    check_.warn_stored(RowId::kSlowdown, 6, r.d_v);
    check_.warn_in_tail(RowId::kSlowdown, r.x, route_length());
  }
  s_.slowdown_rows.push_back({r.x, here(1)});
  placing_row(RowId::kSlowdown);
  memo_rallentamento(s_, r);
  return after_recorder(r.x);
}

Step TrainCompiler::code_drop_row() {
  const std::int32_t p = reader_.read_number();
  const std::int32_t w = reader_.read_number();
  if (!within_route(p, 100, last_index())) return out_of_route(RowId::kCodeDrop, p);
  check_.warn_off_grid("the code drop", p);
  check_.warn_stored(RowId::kCodeDrop, 2, w);
  check_.warn_in_tail(RowId::kCodeDrop, p, route_length());
  const std::int64_t i = run_cell(p);
  TrackCell* const cell = claim_cell(
      s_, i, error_code::kAbbattimentoCellTaken,
      [&] { return "the code drop at " + route_place(s_, p); }, p, [&] { return here(1); });
  if (cell == nullptr) return end_row();
  if (w > 0) {
    cell->cell_type = cell_type::kCodeMarker;
    cell->cell_value = low16(w);
  } else {
    cell->cell_type = cell_type::kCodeEndMarker;
  }
  placing_row(RowId::kCodeDrop);
  s_.origins.placed(i);
  return Step::kNext;
}

Step TrainCompiler::station_row() {
  if (stations_full_) {
    check_.skip_row();
    return Step::kNext;
  }
  const Station station(s_.header.at(station_counter_));
  station.position = reader_.read_number();
  const std::int32_t at = station.position;
  if (!within_route(at, kStationReach, last_index())) return out_of_route(RowId::kStation, at);
  check_.warn_out_of_order("station", at, last_station_);
  if (!on_cell_grid(at)) {
    return fail(error_code::kStationOffGrid, 1, at,
                "the position of the station row, " + metres(at) + ", is not a multiple of 50 m");
  }
  station.kind = read_as<std::uint8_t>();
  // A terminus, its platform behind it, may stand in the tail: that is what the tail is for.
  if (!platform_behind(station.kind)) check_.warn_in_tail(RowId::kStation, at, route_length());
  const std::int32_t length = reader_.read_number();
  if (check_.active() && length > railway_bounds::kLongestPlatform) {
    check_.warn(3,
                "the platform of " + metres(length) + " at " + route_place(s_, at) +
                    " is longer than 1,000 m",
                at);
  }
  if (length % 100 != 0) {
    return fail(error_code::kPlatformLength, 3, at,
                "the platform length of the station row at " + route_place(s_, at) + ", " +
                    metres(length) + ", is not a multiple of 100 m");
  }
  read_station_values(station);
  if (check_.active()) warn_dropped_flags(station, length);
  place_platform(station, length);
  if (mark_station(station) == Step::kEnd) return Step::kEnd;
  const std::int32_t n = station_counter_;
  if (n > header_index::kFirstStation) {
    const Station previous(s_.header.at(n - 1));
    if (std::int64_t{station.platform_start} - kStationGap < previous.platform_end) {
      return fail(error_code::kStationsTooClose, 1, at,
                  "the platform of the station at " + route_place(s_, at) + " starts at " +
                      metres(station.platform_start) +
                      ", less than 350 m after the previous platform's end at " +
                      metres(previous.platform_end));
    }
  }
  ++station_counter_;
  if (station_counter_ >= s_.signboard_record) {
    stations_full_ = check_.checking();
    return fail_without_position(
        error_code::kTooManyStations, 0,
        "this station is one too many: stations and signboard texts share 78 header records, "
        "and the line's " +
            std::to_string(header_index::kFirstSignboard - s_.signboard_record) +
            " signboards leave room for " +
            std::to_string(s_.signboard_record - header_index::kFreeAboveStations) + " stations");
  }
  return Step::kNext;
}

void TrainCompiler::read_station_values(const Station& station) {
  station.station_flag = read_as<std::uint8_t>();
  station.long_platform_flag = read_as<std::uint8_t>();
  station.end_extension_flag = read_as<std::uint8_t>();
  station.value_1 = read_as<std::int16_t>();
  station.value_2 = read_as<std::int16_t>();
  station.value_3 = read_as<std::uint8_t>();
  station.value_4 = read_as<std::int16_t>();
  station.value_5 = read_as<std::int16_t>();
  station.value_6 = read_as<std::int16_t>();
  station.stop_duration = read_as<std::uint8_t>();
  const std::int64_t h = reader_.read_number();
  const std::int64_t m = reader_.read_number();
  const std::int64_t sec = reader_.read_number();
  const std::int64_t seconds = (h * 60 + m) * 60 + sec;
  if (seconds < std::numeric_limits<std::int32_t>::min() ||
      seconds > std::numeric_limits<std::int32_t>::max()) {
    s_.errors.record(error_code::kUnexpectedFailure,
                     "the departure time of the station row, " + std::to_string(h) + " h " +
                         std::to_string(m) + " min " + std::to_string(sec) + " s, comes to " +
                         with_unit(seconds, "s") +
                         " after midnight, beyond what its field holds, 2,147,483,647 s",
                     here(14));
    throw recorded_failure(s_.errors);
  }
  station.departure_time = static_cast<std::int32_t>(seconds);
  station.name = std::string(reader_.read_text());
  store_header_text(s_, station.name, "the station name", here(17));
  check_.warn_utf8(17, "the station name", station.name);
  check_.warn_text_cut(17, station.name);
  if (check_.active()) warn_about_times(station, h, m, sec);
}

void TrainCompiler::place_platform(const Station& station, std::int32_t length) const {
  const std::int64_t at = station.position;
  const auto whole = [](std::int64_t v) {
    return checked_narrow<std::int32_t>(v, "a platform end");
  };
  if (platform_behind(station.kind)) {
    station.platform_end = whole(at + kPlatformPastStation);
    station.platform_start = whole(at - length);
    station.end_extension_flag = 0;
  } else if (platform_both_sides(station.kind)) {
    station.platform_start = whole(at - length);
    station.platform_end = whole(at + length);
    station.end_extension_flag = 0;
  } else {
    const double half = static_cast<double>(length) / 2;
    station.platform_start =
        round_to<std::int32_t>(static_cast<double>(at) - half, "a platform end");
    const std::int64_t end =
        round_to<std::int32_t>(static_cast<double>(at) + half, "a platform end");
    station.platform_end = whole(end + (station.end_extension_flag != 0 ? kCellLength : 0));
  }
  if (length < kLongPlatform) station.long_platform_flag = 0;
  if (station_counter_ == header_index::kFirstStation) {
    station.end_extension_flag = 0;
    station.long_platform_flag = 0;
  }
}

Step TrainCompiler::mark_station(const Station& station) {
  if (station.kind >= kFirstUnmarkedKind) return Step::kNext;
  placing_row(RowId::kStation);
  const double end_cell = static_cast<double>(station.platform_end) / kCellLength;
  if (!platform_behind(station.kind)) {
    std::vector<std::int64_t> marked;
    for (int k = 1; k <= 4; ++k) {
      const double mark_cell = end_cell - k - 1;
      if (mark_cell > 1) marked.push_back(round_to<std::int64_t>(mark_cell, "cell index"));
    }
    if (check_.active()) warn_overwritten_marks(marked, "the station");
    for (std::size_t k = 0; k < marked.size(); ++k) {
      s_.cells.at(marked[k]).cell_approach_mark =
          static_cast<std::uint8_t>(kFirstStationApproachMark + k);
      s_.origins.marked(marked[k]);
    }
  }
  if (!(end_cell - 1 > 1)) {
    return fail_without_position(error_code::kStationTooEarly, 1,
                                 "the platform of the station at " + metres(station.position) +
                                     " (kind " + std::to_string(station.kind) + ") ends at " +
                                     metres(station.platform_end) +
                                     ", and a platform must end past 100 m");
  }
  const auto marker_cell = round_to<std::int64_t>(end_cell - 1, "cell index");
  TrackCell& marker = s_.cells.at(marker_cell);
  if (check_.active() && marker.cell_type != cell_type::kNothing &&
      marker.cell_type != cell_type::kMountainMarker) {
    check_.warn_noted(1,
                      std::string("the station's marker at its platform end replaces ") +
                          cell_type_name(marker.cell_type) + " in the track",
                      origins_of({marker_cell}, false));
  }
  marker.cell_type = cell_type::kStationMarker;
  marker.cell_value = low16(station_counter_);
  s_.origins.placed(marker_cell);
  return Step::kNext;
}

void TrainCompiler::warn_beyond(std::size_t k, std::int64_t v, std::int64_t low, std::int64_t high,
                                const char* what, const char* unit) const {
  if (!check_.active() || (v >= low && v <= high)) return;
  check_.warn(k, std::string(what) + " " + std::to_string(v) + " " + unit + " is beyond any " +
                     "real train (" + std::to_string(low) + " to " + std::to_string(high) + " " +
                     unit + "): the compile takes it all the same");
}

void TrainCompiler::warn_time_of_day(std::size_t k, std::int64_t h, std::int64_t m,
                                     std::int64_t sec, const char* what) const {
  if (!check_.active()) return;
  const std::array<std::int64_t, 3> parts = {h, m, sec};
  static constexpr std::array<std::int64_t, 3> kMost = {23, 59, 59};
  static constexpr std::array<const char*, 3> kName = {"hour", "minute", "second"};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i] >= 0 && parts[i] <= kMost[i]) continue;
    check_.warn(k + i, std::string(what) + "'s " + kName[i] + ", " + std::to_string(parts[i]) +
                           ", is not on a clock (0 to " + std::to_string(kMost[i]) +
                           "): the compile takes it all the same");
  }
}

void TrainCompiler::warn_about_signal(const SignalRow& r) const {
  const std::array values = {r.sx, r.s1, r.s2, r.s3, r.rapp, r.dx, r.d1, r.d2, r.d3};
  for (std::size_t k = 0; k < values.size(); ++k)
    check_.warn_stored(RowId::kSignal, k + 2, values[k]);
  if (r.tempo != 0 && r.sx != 2) {
    check_.warn(11, "the timer of " + std::to_string(r.tempo) +
                        " s is kept only for a left aspect 2: this signal's left aspect is " +
                        std::to_string(r.sx) + ", so it is stored as 0");
  } else if (r.tempo >= 1 && r.tempo <= 100) {
    check_.warn(11, "a timer of " + std::to_string(r.tempo) + " s is timed as 101 s: timers of " +
                        "1 to 100 s are");
  } else if (r.sx == 2) {
    check_.warn_stored(RowId::kSignal, 11, r.tempo);
  }
  check_.warn_in_tail(RowId::kSignal, r.posizione, route_length());
}

void TrainCompiler::warn_dropped_flags(const Station& station, std::int32_t length) const {
  const bool first = station_counter_ == header_index::kFirstStation;
  if (station.long_platform_flag != 0 && (first || length < kLongPlatform)) {
    check_.warn(5, std::string("the long platform flag is stored as 0: it is kept only for ") +
                       "platforms of 600 m or more, not at the first station");
  }
  if (station.end_extension_flag == 0) return;
  if (platform_behind(station.kind) || platform_both_sides(station.kind)) {
    check_.warn(6, "the end extension flag does nothing at a station of kind " +
                       std::to_string(station.kind) + " (5 to 8): it is stored as 0");
  } else if (first) {
    check_.warn(6, std::string("at the first station the end extension flag adds 50 m to the ") +
                       "platform's end but is stored as 0");
  }
}

void TrainCompiler::warn_about_times(const Station& station, std::int64_t h, std::int64_t m,
                                     std::int64_t sec) {
  if (h == 0 && m == 0 && sec == 0) return;
  warn_time_of_day(14, h, m, sec, "the departure");
  const std::int64_t t = (h * 60 + m) * 60 + sec;
  // A train that runs past midnight starts the day again: only a step back of less
  // than half a day reads as a timetable that runs backwards.
  if (last_departure_ && t < *last_departure_ && *last_departure_ - t < 12 * 3600) {
    check_.warn(14, "the departure at " + time_of_day(t) + " from the station at " +
                        route_place(s_, station.position) + " comes before the previous " +
                        "station's, " + time_of_day(*last_departure_) +
                        ": the timetable runs backwards");
  }
  last_departure_ = t;
}

void TrainCompiler::fill_speed(std::int64_t until) {
  const std::uint8_t speed = stored_speed();
  do {
    s_.cells.at(speed_fill_index_).cell_speed = speed;
    ++speed_fill_index_;
  } while (speed_fill_index_ < until);
}

std::uint8_t TrainCompiler::stored_speed() {
  const double fifth = round_half_even(static_cast<double>(previous_speed_) / 5);
  if (fifth >= 0 && fifth <= std::numeric_limits<std::uint8_t>::max()) {
    return static_cast<std::uint8_t>(fifth);
  }
  return refuse_speed();
}

std::uint8_t TrainCompiler::refuse_speed() {
  const RowKind& row = row_kind(RowId::kSpeedLimit);
  s_.errors.record(error_code::kUnexpectedFailure,
                   field_phrase(row, 2) + ", " + with_unit(previous_speed_, "km/h") +
                       ", does not fit the track, which holds a speed limit of 0 to " +
                       with_unit(kFastestStoredSpeed, "km/h"),
                   check_.place(previous_speed_field_));
  s_.errors.add_note(
      "the track keeps a fifth of the limit, rounded, in one byte: the cell "
      "speed would be " +
      thousands(
          static_cast<std::int64_t>(round_half_even(static_cast<double>(previous_speed_) / 5))) +
      ", and it holds 0 to 255");
  if (reading_ended_) {
    s_.errors.add_note(
        "the compile stores the limit when it fills the track to its end, after "
        "the last row");
  } else {
    s_.errors.add_note(
        "the compile stores the limit when the next speed limit row fills the "
        "track up to it, here",
        check_.row_place());
  }
  if (!check_.report()) throw recorded_failure(s_.errors);
  return 0;
}

void TrainCompiler::fill_adhesion(std::int64_t until) {
  do {
    s_.cells.at(adhesion_fill_index_).cell_adhesion = low8(previous_adhesion_);
    ++adhesion_fill_index_;
  } while (adhesion_fill_index_ < until);
}

void TrainCompiler::end_of_file() {
  reading_ended_ = true;
  const std::int64_t stop = std::int64_t{last_index()} - 2;
  fill_speed(stop);
  fill_adhesion(stop);
  warn_missing_rows();
  check_progressives();
}

void TrainCompiler::note_needed_row(std::string_view k) {
  const auto rows = rows_of(Section::kTrain);
  // A keyword as written names its kind alone; only another may name several.
  if (const RowKind* written = written_kind(Section::kTrain, k)) {
    seen_[static_cast<std::size_t>(written - rows.data())] = true;
    return;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (names(rows[i], k)) seen_[i] = true;
  }
}

void TrainCompiler::warn_missing_rows() const {
  if (!check_.active() || !general_found_) return;
  const auto rows = rows_of(Section::kTrain);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (seen_[i] || rows[i].when_missing.empty()) continue;
    check_.warn_file("the train has no " + std::string(rows[i].name) + " (\"" +
                     std::string(rows[i].keyword) + "\"): " + std::string(rows[i].when_missing));
  }
}

void TrainCompiler::check_progressives() {
  for (const int i : header_index::kProgressives) {
    const ProgressiveView progressive(s_.header.at(i));
    if (on_cell_grid(progressive.start) && on_cell_grid(progressive.kilometric_value)) continue;
    record_progressive_off_grid(progressive);
    check_.report();
    return;
  }
}

void TrainCompiler::record_progressive_off_grid(const ProgressiveView<HeaderRecord>& stored) {
  // The records are reordered, and a decreasing kilometre stored 100 m on: find the row
  // as written.
  const ProgressiveSource* written = nullptr;
  for (const ProgressiveSource& row : s_.progressive_rows) {
    const std::int64_t kilometre =
        std::int64_t{row.kilometre} + (row.direction == 1 ? kDecreasingValueShift : 0);
    if (row.start == stored.start && kilometre == stored.kilometric_value &&
        row.direction == stored.direction_flag) {
      written = &row;
    }
  }
  const std::string rule = "a progressive's start and kilometre are both multiples of 50 m";
  if (written == nullptr) {
    s_.errors.record(error_code::kProgressiveOffGrid,
                     "the kilometric progressive starting at " + metres(stored.start) +
                         " is off the 50 m grid: " + rule,
                     {src_.line_path, 0, 0, 0, {}});
    return;
  }
  const bool start_off = !on_cell_grid(written->start);
  const std::int32_t value = start_off ? written->start : written->kilometre;
  s_.errors.record(error_code::kProgressiveOffGrid,
                   field_phrase(row_kind(RowId::kProgressiveUno), start_off ? 1 : 2) + ", " +
                       metres(value) + ", is not a multiple of 50 m",
                   start_off ? written->start_at : written->kilometre_at);
  const std::int64_t below = value - ((value % kCellLength) + kCellLength) % kCellLength;
  s_.errors.hint =
      rule + ": write " + std::to_string(below) + " or " + std::to_string(below + kCellLength);
}

}  // namespace

void compile_train(Scenario& scenario, const TrainSource& source) {
  const ObjectOrigins::Reading reading(scenario.origins, source.path, source.text, false);
  TrainCompiler(scenario, source).run();
}

}  // namespace tracciato
