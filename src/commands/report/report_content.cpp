#include "commands/report/report_content.h"

#include <algorithm>
#include <array>
#include <functional>

#include "base/cp1252.h"
#include "commands/report/report_curves.h"
#include "model/header_records.h"
#include "model/positions.h"

namespace tracciato {

namespace {

// Stations fill records 1 upward, below the lowest signboard text.
std::vector<StationMark> read_stations(const Scenario& s) {
  int last = 0;
  for (int i = header_index::kFirstStation; i < s.signboard_record; ++i) {
    if (s.header.at(i) != HeaderRecord{}) last = i;
  }
  std::vector<StationMark> stations;
  for (int i = header_index::kFirstStation; i <= last; ++i) {
    const StationView station(s.header.at(i));
    stations.push_back({i, cp1252_to_utf8(station.name), station.kind, station.position,
                        station.platform_start, station.platform_end, station.stop_duration,
                        station.departure_time});
  }
  return stations;
}

// The slowdown's end cell is the first one after its start, as the code pass finds it.
std::int64_t slowdown_end(const std::vector<TrackCell>& cells, std::size_t start) {
  for (std::size_t i = start + 1; i < cells.size(); ++i) {
    if (cells[i].cell_type == cell_type::kSlowdownEnd) return static_cast<std::int64_t>(i);
    if (cells[i].cell_type == cell_type::kSlowdownStart) break;
  }
  return static_cast<std::int64_t>(start);
}

// The cell packs rapp x 10 + sx x 3 + dx, and each aspect pair as s x 10 + d.
SignalMark signal_of(const TrackCell& cell, std::int32_t position, int index) {
  const int sides = cell.cell_value_4 % 10;
  const std::array<int, 3> pairs = {cell.cell_value, cell.cell_value_2, cell.cell_value_3};
  SignalMark s{position, index, sides / 3,      sides % 3, cell.cell_value_4 / 10,
               {},       {},    cell.cell_timer};
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    s.left_aspects[k] = pairs[k] / 10;
    s.right_aspects[k] = pairs[k] % 10;
  }
  return s;
}

void read_objects(const Scenario& s, ReportContent& c) {
  const std::vector<TrackCell>& cells = s.cells.cells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const TrackCell& cell = cells[i];
    const auto position = static_cast<std::int32_t>(point_position(static_cast<std::int64_t>(i)));
    if (cell.cell_type == cell_type::kSignal) {
      c.signals.push_back(signal_of(cell, position, static_cast<int>(i)));
    } else if (cell.cell_type == cell_type::kSlowdownStart) {
      c.slowdowns.push_back({position,
                             static_cast<std::int32_t>(point_position(slowdown_end(cells, i))),
                             cell.cell_value});
    } else if (cell.cell_type == cell_type::kSignboard) {
      const bool known = cell.cell_value >= 0 && cell.cell_value < ScenarioHeader::kRecords;
      const std::string text = known ? SignboardView(s.header.at(cell.cell_value)).text : "";
      c.signboards.push_back({position, cp1252_to_utf8(text)});
    }
  }
}

// Runs of equal values over cells [0, end), each cell standing for its own 50 m.
std::vector<Stretch> runs(const std::vector<TrackCell>& cells, std::size_t end,
                          const std::function<int(const TrackCell&)>& value) {
  std::vector<Stretch> stretches;
  for (std::size_t i = 0; i < end; ++i) {
    const int v = value(cells[i]);
    const auto start = static_cast<std::int32_t>(i) * kCellLength;
    if (stretches.empty() || stretches.back().value != v) {
      stretches.push_back({start, start + kCellLength, v});
    } else {
      stretches.back().end = start + kCellLength;
    }
  }
  return stretches;
}

void read_profiles(const Scenario& s, ReportContent& c) {
  const std::vector<TrackCell>& cells = s.cells.cells();
  // The last three cells are never filled by the profiles.
  const std::size_t filled = cells.size() > 3 ? cells.size() - 3 : 0;
  c.speed = runs(cells, filled, [](const TrackCell& t) { return t.cell_speed * 5; });
  c.gradient = runs(cells, filled, [](const TrackCell& t) { return t.cell_gradient - 100; });
  for (const Stretch& m :
       runs(cells, cells.size(), [](const TrackCell& t) { return int{t.cell_mountain}; })) {
    if (m.value != 0) c.mountains.push_back(m);
  }
  c.limit = dip_slowdowns(c.speed, c.slowdowns);
  c.elevation = integrate_gradients(c.gradient);
}

}  // namespace

std::vector<Elevation> integrate_gradients(const std::vector<Stretch>& gradient) {
  std::vector<Elevation> points;
  if (gradient.empty()) return points;
  double height = 0;
  points.push_back({gradient.front().start, 0});
  for (const Stretch& g : gradient) {
    height += g.value * static_cast<double>(g.end - g.start) / 1000;
    points.push_back({g.end, height});
  }
  return points;
}

namespace {

// A slowdown without an end cell still slows one cell.
std::int32_t dipped_until(const SlowdownMark& d) {
  return std::max(d.end, d.start + kCellLength);
}

}  // namespace

std::vector<Stretch> dip_slowdowns(const std::vector<Stretch>& speed,
                                   const std::vector<SlowdownMark>& slowdowns) {
  std::vector<Stretch> limit;
  auto add = [&limit](std::int32_t start, std::int32_t end, int value) {
    if (start >= end) return;
    if (!limit.empty() && limit.back().value == value && limit.back().end == start) {
      limit.back().end = end;
    } else {
      limit.push_back({start, end, value});
    }
  };
  // Slowdowns come in route order: those that end before a stretch starts are done with.
  std::size_t first = 0;
  for (const Stretch& s : speed) {
    std::int32_t at = s.start;
    while (first < slowdowns.size() && dipped_until(slowdowns[first]) <= s.start) ++first;
    for (std::size_t k = first; k < slowdowns.size() && slowdowns[k].start < s.end; ++k) {
      const SlowdownMark& d = slowdowns[k];
      const std::int32_t end = dipped_until(d);
      if (end <= at || d.speed >= s.value) continue;
      add(at, std::max(at, d.start), s.value);
      at = std::max(at, d.start);
      add(at, std::min(end, s.end), d.speed);
      at = std::min(end, s.end);
    }
    add(at, s.end, s.value);
  }
  return limit;
}

std::string kilometre_text(const LineKilometres& k, std::int64_t route_metres) {
  const auto km = k.kilometre_at(route_metres);
  return km ? railway_kilometre(*km) : std::string();
}

ReportContent read_content(const Scenario& s) {
  ReportContent c;
  c.base_name = cp1252_to_utf8(s.base_name);
  c.train_number = cp1252_to_utf8(s.train_number);
  const auto train = train_values_record(s.header);
  const auto settings = signalling_record(s.header);
  c.route_length = train.route_length;
  c.cars = train.car_count;
  c.braked_mass = train.braked_mass_percentage;
  c.start_clock =
      (settings.clock_hours * 60 + settings.clock_minutes) * 60 + settings.clock_seconds;
  c.cells_end = static_cast<std::int32_t>(s.cells.size()) * kCellLength;
  c.kilometres = LineKilometres::from_header(s.header);
  c.stations = read_stations(s);
  if (s.geometry) c.curves = read_curves(*s.geometry);
  read_objects(s, c);
  read_profiles(s, c);
  if (s.errors.failed() && s.errors.position_recorded) c.error_position = s.errors.error_position;
  return c;
}

}  // namespace tracciato
