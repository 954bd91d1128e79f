// What each kind of cell holds, named, in its units, and where its object stands.
#include <array>
#include <string>

#include "commands/dump/dump_fields.h"

namespace tracciato {

namespace {

// The names a cell type gives its four values; nullptr where the type leaves one unused.
struct TypeMeaning {
  const char* object;
  std::array<const char*, 4> values;
  bool point_object;  // stands at (index - 1) × 50 m
};

std::optional<TypeMeaning> meaning_of(std::uint8_t type) {
  using A = std::array<const char*, 4>;
  switch (type) {
    case cell_type::kNothing:
      return TypeMeaning{"nothing", A{}, false};
    case cell_type::kSignal:
      return TypeMeaning{"signal", A{"aspects_1", "aspects_2", "aspects_3", "sides"}, true};
    case cell_type::kSlowdownEnd:
      return TypeMeaning{"slowdown end", A{"speed_limit", "d_v", "f_tt", nullptr}, true};
    case cell_type::kSlowdownStart:
      return TypeMeaning{"slowdown start", A{"speed_limit", "d_v", "f_tt", nullptr}, true};
    case cell_type::kSlowdownWarning:
      return TypeMeaning{"slowdown warning", A{"speed_limit", "d_v", nullptr, nullptr}, true};
    case cell_type::kSlowdownAdvance:
      return TypeMeaning{"slowdown advance", A{"advance", "d_v", nullptr, nullptr}, false};
    case cell_type::kSpeedBoard:
      return TypeMeaning{"maximum-speed indicator board",
                         A{"speeds_1", "speeds_2", "speeds_3", "stripes"}, true};
    case cell_type::kStationMarker:
      return TypeMeaning{"station marker", A{"station_record", nullptr, nullptr, nullptr}, false};
    case cell_type::kMountainMarker:
      return TypeMeaning{"mountain marker", A{}, false};
    case cell_type::kCodeMarker:
      return TypeMeaning{"code marker", A{"code", nullptr, nullptr, nullptr}, false};
    case cell_type::kCodeEndMarker:
      return TypeMeaning{"code-end marker", A{}, false};
    case cell_type::kSignboard:
      return TypeMeaning{"signboard", A{"text_record", nullptr, nullptr, nullptr}, true};
    default:
      return std::nullopt;
  }
}

constexpr std::int16_t kCellStamp = 5121;
constexpr int kLastTextRecord = 80;

// A value packing two digits, tens and units: a signal's aspect pair, a board's stripes.
void split_digits(ShownField& f, const char* tens, const char* units) {
  add_detail(f, tens, f.raw / 10, std::string(tens) + " " + std::to_string(f.raw / 10));
  add_detail(f, units, f.raw % 10, std::string(units) + " " + std::to_string(f.raw % 10));
}

// A signal's aspect pairs and a board's stripes pack a left and a right digit.
bool packs_two_digits(std::uint8_t type, int k) {
  return (type == cell_type::kSignal && k < 3) || (type == cell_type::kSpeedBoard && k == 3);
}

// Explains value `k` (0 to 3) of a cell of a known type.
void explain_value(ShownField& f, std::uint8_t type, int k) {
  const std::int64_t v = f.raw;
  if (packs_two_digits(type, k)) {
    split_digits(f, "left", "right");
  } else if (type == cell_type::kSignal) {
    add_detail(f, "rapp", v / 10, "rapp " + std::to_string(v / 10));
    add_detail(f, "left_kind", v % 10 / 3, "left kind " + std::to_string(v % 10 / 3));
    add_detail(f, "right_kind", v % 10 % 3, "right kind " + std::to_string(v % 10 % 3));
  } else if (k == 0 && type >= cell_type::kSlowdownEnd && type <= cell_type::kSlowdownWarning) {
    f.unit = Unit::kKmH;
    f.decoded = v;
  } else if (type == cell_type::kSlowdownAdvance && k == 0 && (v < 1 || v > 4)) {
    f.invalid = "advance cells are numbered 1 to 4";
  } else if (type == cell_type::kSpeedBoard) {
    // 20 × the left-hand speed + the right-hand speed / 5.
    add_detail(f, "left_km_h", v / 20, "left " + std::to_string(v / 20) + " km/h");
    add_detail(f, "right_km_h", v % 20 * 5, "right " + std::to_string(v % 20 * 5) + " km/h");
  } else if ((type == cell_type::kStationMarker || type == cell_type::kSignboard) &&
             (v < 1 || v > kLastTextRecord)) {
    f.invalid = "names a header record outside 1 to 80";
  }
}

using CellValue = std::int16_t TrackCell::*;
constexpr std::array<CellValue, 4> kValues = {&TrackCell::cell_value, &TrackCell::cell_value_2,
                                              &TrackCell::cell_value_3, &TrackCell::cell_value_4};
constexpr std::array<const char*, 4> kValueNames = {"value", "value_2", "value_3", "value_4"};

void add_values(const TrackCell& c, std::size_t i, const std::optional<TypeMeaning>& meaning,
                ShownItem& out) {
  for (int k = 0; k < 4; ++k) {
    const std::int64_t v = c.*kValues[k];
    if (i == 1 && k == 0) {
      ShownField& f = add_field(out, "format_stamp", v);
      if (v != kCellStamp) f.invalid = "the stamp is always 5121";
    } else if (i == 1 && k == 1) {
      add_field(out, "competition_code_og", v);
    } else if (meaning && meaning->values[k] != nullptr) {
      explain_value(add_field(out, meaning->values[k], v), c.cell_type, k);
    } else if (v != 0) {
      add_field(out, kValueNames[k], v);
    }
  }
}

// An approach mark k0 + k (k 1 to 4) stands 2k cells before its signal, or k cells before
// a station marker.
void explain_approach(const CellReader& cells, std::size_t i, ShownField& f) {
  const std::int64_t k = f.raw % 10;
  if (k < 1 || k > 4) return;
  const std::size_t signal = i + static_cast<std::size_t>(2 * k);
  if (signal < cells.count() && cells.at(signal).cell_type == cell_type::kSignal) {
    const std::int64_t at = point_position(static_cast<std::int64_t>(signal));
    add_detail(f, "signal_at_m", at, "signal at " + metres_text(at));
    return;
  }
  const std::size_t marker = i + static_cast<std::size_t>(k);
  if (marker < cells.count() && cells.at(marker).cell_type == cell_type::kStationMarker) {
    add_detail(f, "station_marker_cell", static_cast<std::int64_t>(marker),
               "station marker in cell " + std::to_string(marker));
  }
}

void add_profiles(const CellReader& cells, std::size_t i, const TrackCell& c, ShownItem& out) {
  if (c.cell_type == cell_type::kSignal || c.cell_timer != 0) add_field(out, "timer", c.cell_timer);
  if (c.cell_approach_mark != 0) {
    explain_approach(cells, i, add_field(out, "approach_mark", c.cell_approach_mark));
  }
  if (c.cell_mountain != 0) add_field(out, "mountain", c.cell_mountain);
  add_field(out, "speed", c.cell_speed, Unit::kKmH, std::int64_t{c.cell_speed} * 5);
  add_field(out, "gradient", c.cell_gradient, Unit::kPerMille, std::int64_t{c.cell_gradient} - 100);
  add_field(out, "adhesion", c.cell_adhesion);
}

}  // namespace

void show_cell(const CellReader& cells, std::size_t i, ShownItem& out) {
  const TrackCell c = cells.at(i);
  reset_item(out, "cell", i);
  out.offset = CellReader::offset(i);
  out.span = run_span(static_cast<std::int64_t>(i));
  const auto meaning = meaning_of(c.cell_type);
  ShownField& type = add_field(out, "type", c.cell_type);
  if (meaning) {
    out.object = meaning->object;
    if (meaning->point_object) out.object_at = point_position(static_cast<std::int64_t>(i));
  } else {
    out.object = "unknown";
    type.invalid = "not a cell type of the format";
  }
  if (c.cell_type == cell_type::kStationMarker) {
    // The marker stands in the last cell of the station's platform.
    out.object_at = run_span(static_cast<std::int64_t>(i)).to;
    out.object_at_key = "for the platform ending at";
    out.object_at_json = "platform_end_m";
  }
  add_values(c, i, meaning, out);
  add_profiles(cells, i, c, out);
}

}  // namespace tracciato
