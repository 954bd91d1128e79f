#include "compile/decompile/train_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "compile/decompile/line_rows.h"
#include "compile/decompile/run_rows.h"
#include "model/positions.h"

namespace tracciato {

namespace {

using header_index::kSignalling;
using header_index::kTrainValues;

void general_section(const ScenarioHeader& h, DescriptionText& out) {
  out.line("[generale]");
  out.row("numero vetture", {{h.at(kTrainValues).record_position, 5}});
  out.row("percentuale massa frenata", {{h.at(kTrainValues).record_start, 7}});
  const HeaderRecord& s = h.at(kSignalling);
  out.row("sabbia", {{s.record_word_1, 7}});
  out.row("orologio", {{s.record_word_3, 6}, {s.record_word_4, 3}, {s.record_word_5, 3}});
}

template <typename Field, typename Value>
void run_section(const CompiledInput& in, std::string_view keyword, Field field, Value value,
                 DescriptionText& out) {
  std::vector<std::uint8_t> stored;
  stored.reserve(in.cells.size());
  for (const TrackCell& c : in.cells) stored.push_back(c.*field);
  for (const RunRow& r : run_rows(stored)) {
    out.row(keyword, {{r.cell * kCellLength, 8}, {value(r.stored), 6}});
  }
}

// The station rows: records 1 up to the first cleared one below the signboards' texts.
void station_section(const CompiledInput& in, Unexplained& why, DescriptionText& out) {
  out.line("[stazioni]");
  int signboards = 0;
  for (const TrackCell& c : in.cells) signboards += c.cell_type == cell_type::kSignboard ? 1 : 0;
  const int above = header_index::kFirstSignboard - signboards;
  for (int n = 1; n < above && in.header.at(n) != HeaderRecord{}; ++n) {
    const HeaderRecord& r = in.header.at(n);
    const std::int64_t at = r.record_position;
    const std::uint8_t kind = r.record_kind;
    std::int64_t length = 0;
    std::int64_t extension = 0;
    if (kind >= 5 && kind <= 8) {
      length = at - r.record_start;
    } else {
      const std::int64_t half = at - r.record_start;
      length = 2 * half;
      const bool extended = r.record_end - (at + half) == kCellLength;
      extension = r.record_byte_3 != 0 ? r.record_byte_3 : (extended ? 1 : 0);
    }
    if (!writable_text(r.record_text)) {
      why.record(n, "a station name cannot hold a comma or a line end, nor begin with a blank");
    }
    const std::int64_t t = r.record_time;
    out.text_row("stazione",
                 {{at, 8},
                  {kind, 3},
                  {length, 5},
                  {r.record_flag, 3},
                  {r.record_byte_4, 2},
                  {extension, 2},
                  {r.record_word_1, 3},
                  {r.record_word_2, 1},
                  {r.record_byte_1, 1},
                  {r.record_word_3, 3},
                  {r.record_word_4, 1},
                  {r.record_word_5, 1},
                  {r.record_byte_2, 5},
                  {t / 3600, 4},
                  {t % 3600 / 60, 2},
                  {t % 60, 2}},
                 r.record_text);
  }
}

// Slowdowns from their start cells: the end is the next end cell with the same values,
// or the start cell itself when none follows before the next start.
void slowdown_section(const CompiledInput& in, DescriptionText& out) {
  out.line("[rallentamenti]");
  const auto cells = static_cast<std::int64_t>(in.cells.size());
  const auto at = [&in](std::int64_t i) -> const TrackCell& {
    return in.cells[static_cast<std::size_t>(i)];
  };
  constexpr std::int64_t kWarningCells = 24;             // 1200 m before the start
  constexpr std::int64_t kLastStartWithoutWarning = 31;  // 1500 m
  for (std::int64_t a = 0; a < cells; ++a) {
    const TrackCell& s = at(a);
    if (s.cell_type != cell_type::kSlowdownStart) continue;
    std::int64_t e = a;
    for (std::int64_t i = a + 1; i < cells && at(i).cell_type != cell_type::kSlowdownStart; ++i) {
      const TrackCell& c = at(i);
      if (c.cell_type == cell_type::kSlowdownEnd && c.cell_value == s.cell_value &&
          c.cell_value_3 == s.cell_value_3) {
        e = i;
        break;
      }
    }
    bool advance = a > kLastStartWithoutWarning;
    for (std::int64_t k = 1; k <= 4 && advance; ++k) {
      const std::int64_t b = a - kWarningCells - k;
      advance = b >= 0 && at(b).cell_type == cell_type::kSlowdownAdvance;
    }
    out.row("rallentamento", {{point_position(a), 8},
                              {s.cell_value, 6},
                              {(e - a) * kCellLength, 5},
                              {s.cell_value_3, 2},
                              {advance ? 1 : 0, 3},
                              {s.cell_value_2, 3}});
  }
}

// The approach marks the station rows leave, by cell: 81 to 84 in the four cells before
// each station marker.
std::map<std::int64_t, std::uint8_t> station_marks(const CompiledInput& in) {
  std::map<std::int64_t, std::uint8_t> marks;
  int signboards = 0;
  for (const TrackCell& c : in.cells) signboards += c.cell_type == cell_type::kSignboard ? 1 : 0;
  const int above = header_index::kFirstSignboard - signboards;
  for (int n = 1; n < above && in.header.at(n) != HeaderRecord{}; ++n) {
    const HeaderRecord& r = in.header.at(n);
    if (r.record_kind >= 25 || r.record_kind == 5 || r.record_kind == 6) continue;
    for (int k = 1; k <= 4; ++k) {
      const double cell = static_cast<double>(r.record_end) / kCellLength - k - 1;
      if (cell > 1)
        marks[static_cast<std::int64_t>(std::nearbyint(cell))] = static_cast<std::uint8_t>(80 + k);
    }
  }
  return marks;
}

// The approach group sx x 3 + dx of a signal: its approach marks (sx x 3 + dx) x 10 + k
// that no later signal overwrote, and its packed value rapp x 10 + sx x 3 + dx, hold it;
// among the groups that agree, the writer's own 3 to 8 come first.
std::int64_t approach_group(const CompiledInput& in, std::int64_t s, std::int16_t packed,
                            const std::vector<bool>& signal) {
  std::vector<std::pair<std::int64_t, std::uint8_t>> marks;  // k, mark
  for (std::int64_t k = 1; k <= 4; ++k) {
    const std::int64_t c = s - 2 * k;
    if (c < 0) continue;
    bool overwritten = false;
    for (std::int64_t later = s + 2; later <= c + 8; later += 2) {
      overwritten = overwritten || (later < static_cast<std::int64_t>(signal.size()) &&
                                    signal[static_cast<std::size_t>(later)]);
    }
    if (!overwritten)
      marks.emplace_back(k, in.cells[static_cast<std::size_t>(c)].cell_approach_mark);
  }
  const auto fits = [&](std::int64_t q) {
    if ((packed - q) % 10 != 0) return false;
    return std::ranges::all_of(marks, [q](const auto& km) {
      return static_cast<std::uint8_t>((q * 10 + km.first) & 0xFF) == km.second;
    });
  };
  for (std::int64_t q = 3; q <= 8; ++q) {
    if (fits(q)) return q;
  }
  for (std::int64_t q = 0; q < 640; ++q) {
    if (fits(q)) return q;
  }
  return packed % 10;
}

std::int64_t signal_time(std::uint8_t timer) {
  // A time of 1 to 100 is stored as 101; any other keeps its low 8 bits.
  return timer >= 1 && timer <= 100 ? timer + 256 : timer;
}

// The signal rows, in route order; a signal some of whose approach marks a station's
// stand over goes before the stations, `early`.
void signal_sections(const CompiledInput& in, DescriptionText& early, DescriptionText& out) {
  std::vector<bool> signal(in.cells.size());
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    signal[i] = in.cells[i].cell_type == cell_type::kSignal;
  }
  const auto stations = station_marks(in);
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    if (!signal[i]) continue;
    const TrackCell& c = in.cells[i];
    const auto s = static_cast<std::int64_t>(i);
    const std::int64_t q = approach_group(in, s, c.cell_value_4, signal);
    bool before_stations = false;
    for (std::int64_t k = 1; k <= 4; ++k) {
      const auto station = stations.find(s - 2 * k);
      if (station == stations.end() || s - 2 * k < 0) continue;
      const std::uint8_t held = in.cells[static_cast<std::size_t>(s - 2 * k)].cell_approach_mark;
      before_stations = before_stations || (held == station->second &&
                                            held != static_cast<std::uint8_t>((q * 10 + k) & 0xFF));
    }
    std::int64_t sx = 2;
    if (c.cell_timer == 0) sx = q < 0 ? 0 : std::min<std::int64_t>(q / 3, 2);
    const std::int64_t dx = q - 3 * sx;
    const std::int64_t rapp = (c.cell_value_4 - q) / 10;
    const std::int64_t tempo = sx == 2 ? signal_time(c.cell_timer) : 0;
    (before_stations ? early : out)
        .row("segnale", {{point_position(s), 8},
                         {sx, 4},
                         {c.cell_value / 10, 2},
                         {c.cell_value_2 / 10, 2},
                         {c.cell_value_3 / 10, 3},
                         {rapp, 2},
                         {dx, 5},
                         {c.cell_value % 10, 3},
                         {c.cell_value_2 % 10, 1},
                         {c.cell_value_3 % 10, 1},
                         {tempo, 4}});
  }
}

// Cell types no row places.
void unplaced_objects(const CompiledInput& in, Unexplained& why) {
  constexpr std::array<bool, 15> kPlaced = {true,  true,  true, true, true, true, true, false,
                                            false, false, true, true, true, true, true};
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    const std::uint8_t t = in.cells[i].cell_type;
    if (t < kPlaced.size() && kPlaced[t]) continue;
    why.cell(static_cast<std::int64_t>(i),
             "no row of either description places cell type " + std::to_string(t));
  }
}

}  // namespace

TrainRows::TrainRows(const CompiledInput& in, Unexplained& why) {
  general_section(in.header, rows_);
  rows_.line("[aderenze]");
  run_section(
      in, "aderenza", &TrackCell::cell_adhesion, [](std::uint8_t v) { return std::int64_t{v}; },
      rows_);
  rows_.line("[vel_limite]");
  run_section(
      in, "velocita", &TrackCell::cell_speed, [](std::uint8_t v) { return std::int64_t{v} * 5; },
      rows_);
  DescriptionText early;
  DescriptionText signals;
  signal_sections(in, early, signals);
  if (!early.bytes().empty()) {
    rows_.line("[segnali]");
    rows_.append(early);
  }
  station_section(in, why, rows_);
  slowdown_section(in, rows_);
  rows_.line("[segnali]");
  rows_.append(signals);
  unplaced_objects(in, why);
}

std::string TrainRows::bytes() const {
  DescriptionText codes;
  codes.line("[codici]");
  for (const auto& [cell, value] : code_rows_) {
    codes.row("abbattimento", {{cell * kCellLength, 8}, {value, 6}});
  }
  codes.line("[fine]");
  return rows_.bytes() + codes.bytes();
}

}  // namespace tracciato
