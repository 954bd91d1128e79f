#include "compile/line/line_compiler.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <optional>

#include "base/rounding.h"
#include "compile/check_hooks.h"
#include "compile/field_diagnostics.h"
#include "compile/header_texts.h"
#include "compile/line/curve_classes.h"
#include "compile/line/mountain_recorder.h"
#include "compile/line/progressive_order.h"
#include "compile/line/speed_board_recorder.h"
#include "compile/railway_bounds.h"
#include "compile/row_checks.h"
#include "compile/row_kinds.h"
#include "model/error_codes.h"
#include "model/header_records.h"
#include "model/positions.h"
#include "textio/field_reader.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {

constexpr std::int32_t kMaxRouteLength = 1'000'000;
constexpr std::int32_t kRouteMargin = 7000;
constexpr std::int32_t kLastGeometryPoint = 1'000'000;
constexpr int kGeneralCommentSkips = 10;
constexpr int kObjectCommentSkips = 2;

enum class Step { kNext, kEndReading, kAbandon };

class LineCompiler {
 public:
  LineCompiler(Scenario& s, std::string_view text, const std::string& path)
      : s_(s), text_(text), reader_(text), check_(s.observer, s.errors, reader_, path) {
    check_.warn_byte_order_mark(text);
  }

  PhaseOutcome run() {
    return reader_.locate_failures([this] { return compile(); });
  }

 private:
  PhaseOutcome compile();
  // Field `k` of the row being read.
  SourceLocation here(std::size_t k) const { return check_.at(k); }
  // The row being read places an object: its position field is where it was written.
  void placing_row(RowId id) {
    const FieldSpan& at = reader_.row_field(1);
    s_.origins.begin_row({at.line, at.column, at.end_column, at.line_start, row_kind(id).name});
  }
  bool within_route(std::int32_t p) const {
    return tracciato::within_route(p, 100, s_.cells.last_index());
  }
  Step out_of_route(RowId row, std::int32_t p);
  // Orders the progressives; a decreasing one too far on to be stored fails at its row.
  void order_progressives();
  // After a code that ends the compile: go on past the row when checking.
  Step abandon_row() { return check_.skip_row() ? Step::kNext : Step::kAbandon; }
  void warn_about_curve(std::int32_t start, std::int32_t length, double curvature);
  // A kind beyond what the cells hold. A stretch that starts close after the previous one
  // is stored as kind 3 by design, and not told.
  void warn_about_mountain(std::int32_t start, std::int32_t kind);
  std::int32_t route_length() const { return train_values_record(s_.header).route_length; }

  bool lead_in();
  bool general_section();
  bool general_row(std::string_view field);
  bool route_length_row();
  void progressive_row(int record);
  bool signal_repetition_row(std::string_view field);
  // A repetition distance lies on the cell grid; otherwise `code` is recorded.
  bool repetition_on_grid(std::int32_t distance, std::int32_t code, std::size_t k);
  Step object_rows();
  Step object_row(std::string_view field);
  Step gradient_row();
  Step curve_row(std::string_view field);
  // True, with code 103 recorded, once the geometry table has passed its last point.
  bool geometry_full();
  Step mountain_row();
  Step board_row();
  Step signboard_row();
  void final_fill();
  // The previous gradient from the fill index on, up to `until` but at least one cell: a
  // row that does not come after the previous one still writes a cell.
  void fill_gradient(std::int64_t until);

  Scenario& s_;
  std::string_view text_;
  FieldReader reader_;
  CheckHooks check_;
  std::int32_t gradient_fill_index_ = 0;
  std::int32_t previous_gradient_ = 0;
  // What the checker compares rows with.
  bool signal_repetition_seen_ = false;
  bool geometry_exhausted_ = false;
  std::optional<std::int32_t> last_gradient_, last_curve_, last_mountain_;
  std::int64_t previous_curve_end_ = 0;
};

PhaseOutcome LineCompiler::compile() {
  identity_record(s_.header).base_name = s_.base_name;
  signalling_record(s_.header).train_number = s_.train_number;
  if (check_.refuse_utf16(text_) || !lead_in() || !general_section()) return PhaseOutcome::kStop;
  order_progressives();
  if (object_rows() == Step::kAbandon) return PhaseOutcome::kStop;
  final_fill();
  return PhaseOutcome::kContinue;
}

bool LineCompiler::lead_in() {
  for (;;) {
    const std::string_view field = reader_.read_text();
    if (reader_.at_end()) {
      const auto misspelt = check_.misspelt_general(text_);
      s_.errors.record(error_code::kNoGeneralSection,
                       misspelt ? "the file has no \"[generale]\": the reader skips everything "
                                  "before one, and this header is not it"
                                : "the file ends before a row containing \"[generale]\"",
                       misspelt ? *misspelt : check_.whole_file());
      if (misspelt) s_.errors.hint = "did you mean \"[generale]\"?";
      check_.report();
      return false;
    }
    if (contains_any_case(field, "[generale]")) return true;
  }
}

bool LineCompiler::general_section() {
  for (;;) {
    const auto keyword = check_.read_keyword(kGeneralCommentSkips, false, Section::kLineGeneral);
    if (!keyword) return true;
    const std::string_view field = *keyword;
    check_.begin_row(field, Section::kLineGeneral);
    if (!check_.row([&] { return general_row(field); }, true)) return false;
    const bool header_like = contains_exact(field, "[") && contains_exact(field, "]");
    if (header_like && field.front() != '-') {
      if (check_.active()) check_.warn_header(field, Section::kLineGeneral);
      if (!signal_repetition_seen_) {
        check_.warn(0, "the general section ends here without a signal-repetition row");
      }
      return true;
    }
    if (check_.active() && check_.kind() == nullptr) {
      check_.unknown_keyword(field);
    }
  }
}

bool LineCompiler::general_row(std::string_view field) {
  if (names(RowId::kRouteLength, field) && !route_length_row()) return false;
  if (names(RowId::kProgressiveTre, field)) progressive_row(header_index::kProgressiveTre);
  if (names(RowId::kProgressiveDue, field)) progressive_row(header_index::kProgressiveDue);
  if (names(RowId::kProgressiveUno, field)) progressive_row(header_index::kProgressiveUno);
  const auto identity = identity_record(s_.header);
  if (names(RowId::kBackgroundUno, field)) identity.background_one = reader_.read_number();
  if (names(RowId::kBackgroundDue, field)) identity.background_two = reader_.read_number();
  if (names(RowId::kBackgroundTre, field)) identity.background_three = reader_.read_number();
  if (names(RowId::kSignalRepetition, field)) {
    signal_repetition_seen_ = true;
    return signal_repetition_row(field) || check_.skip_row();
  }
  return true;
}

bool LineCompiler::route_length_row() {
  const std::int32_t length = reader_.read_number();
  train_values_record(s_.header).route_length = length;
  if (length > kMaxRouteLength) {
    s_.errors.record(
        error_code::kRouteTooLong,
        "the route length of " + metres(length) + " is longer than a route may be, 1,000,000 m",
        here(1));
    check_.report();
    return false;
  }
  s_.route_length_row = {length, here(1)};
  s_.route_span = length + kRouteMargin;
  s_.cells.allocate(round_to<std::int64_t>(static_cast<double>(s_.route_span) / kCellLength, "P"));
  s_.geometry.reset();
  if (s_.j != 0) s_.geometry.emplace(s_.route_span);
  return true;
}

void LineCompiler::progressive_row(int record) {
  const ProgressiveView progressive(s_.header.at(record));
  const std::size_t first = reader_.row_fields_read();
  progressive.start = reader_.read_number();
  progressive.kilometric_value = reader_.read_number();
  progressive.direction_flag = reader_.read_number();
  // Errors about it come after the progressives are reordered: keep the row as written.
  s_.progressive_rows.push_back({progressive.start, progressive.kilometric_value,
                                 progressive.direction_flag, check_.at(first),
                                 check_.at(first + 1)});
}

void LineCompiler::order_progressives() {
  try {
    progressive_ordina(s_.header);
  } catch (const UnexpectedFailure&) {
    for (const ProgressiveSource& row : s_.progressive_rows) {
      if (row.direction != 1 ||
          row.kilometre <= std::numeric_limits<std::int32_t>::max() - kDecreasingValueShift) {
        continue;
      }
      s_.errors.record(error_code::kUnexpectedFailure,
                       field_phrase(row_kind(RowId::kProgressiveUno), 2) + ", " +
                           metres(row.kilometre) +
                           ", is too large for a decreasing progressive: the compile stores its "
                           "kilometre 100 m further on, and the field holds at most "
                           "2,147,483,647 m",
                       row.kilometre_at);
      throw recorded_failure(s_.errors);
    }
    throw;
  }
}

bool LineCompiler::signal_repetition_row(std::string_view field) {
  const auto signalling = signalling_record(s_.header);
  signalling.first_repetition_distance = reader_.read_number();
  signalling.second_repetition_distance = reader_.read_number();
  if (!repetition_on_grid(signalling.first_repetition_distance, error_code::kRepetitionFirstOffGrid,
                          1) ||
      !repetition_on_grid(signalling.second_repetition_distance,
                          error_code::kRepetitionSecondOffGrid, 2)) {
    return false;
  }
  if (contains_exact(field, "4")) {
    signalling.code_count = 4;
  } else if (contains_exact(field, "9")) {
    signalling.code_count = 9;
  } else {
    s_.errors.record(error_code::kRepetitionCodeCount,
                     R"(the signal-repetition keyword ")" + std::string(field) +
                         R"(" names neither 4 nor 9 codes)",
                     here(0));
    s_.errors.hint = R"(write "ripetizione segnali 4 codici" or "ripetizione segnali 9 codici")";
    return false;
  }
  if (signalling.second_repetition_distance == 0) signalling.code_count = 0;
  return true;
}

bool LineCompiler::repetition_on_grid(std::int32_t distance, std::int32_t code, std::size_t k) {
  if (on_cell_grid(distance)) return true;
  s_.errors.record(code,
                   std::string("the ") + (k == 1 ? "first" : "second") +
                       " distance of the signal-repetition row, " + metres(distance) +
                       ", is not a multiple of 50 m",
                   here(k));
  return false;
}

Step LineCompiler::object_rows() {
  s_.mountains.mountain_count = 0;
  s_.signboard_record = header_index::kFirstSignboard;
  if (!s_.cells.allocated()) throw UnexpectedFailure("the route length row is missing");
  if (s_.geometry) s_.geometry->seed();
  for (;;) {
    const auto keyword = check_.read_keyword(kObjectCommentSkips, true, Section::kLineObjects);
    if (!keyword) return Step::kNext;
    const std::string_view field = *keyword;
    check_.begin_row(field, Section::kLineObjects);
    const Step step = check_.row([&] { return object_row(field); }, Step::kNext);
    if (step == Step::kEndReading) return Step::kNext;
    if (step == Step::kAbandon) return step;
    if (check_.active() && check_.kind() == nullptr) {
      check_.unknown_keyword(field);
    }
  }
}

Step LineCompiler::object_row(std::string_view field) {
  Step step = Step::kNext;
  if (names(RowId::kGradient, field)) step = gradient_row();
  if (step == Step::kNext && names(RowId::kCurve, field) && s_.geometry) step = curve_row(field);
  if (step == Step::kNext && names(RowId::kMountain, field)) step = mountain_row();
  if (step == Step::kNext && names(RowId::kSpeedBoard, field)) step = board_row();
  if (step == Step::kNext && names(RowId::kSignboard, field)) step = signboard_row();
  return step;
}

Step LineCompiler::out_of_route(RowId row, std::int32_t p) {
  record_beyond_route(s_, row_kind(row), p, here(1));
  return check_.skip_row() ? Step::kNext : Step::kEndReading;
}

Step LineCompiler::gradient_row() {
  const std::int32_t p = reader_.read_number();
  const std::int32_t g = reader_.read_number();
  if (!within_route(p)) return out_of_route(RowId::kGradient, p);
  check_.warn_out_of_order("gradient", p, last_gradient_);
  check_.warn_off_grid("the gradient row", p);
  check_.warn_stored(RowId::kGradient, 2, g);
  if (check_.active() && std::abs(std::int64_t{g}) > railway_bounds::kSteepestGradient) {
    check_.warn(2,
                "the gradient of " + std::to_string(g) + " per mille at " + route_place(s_, p) +
                    " is steeper than 60 per mille, beyond any railway on adhesion alone",
                p);
  }
  const std::int64_t n = run_cell(p);
  if (n > 0) fill_gradient(n);
  previous_gradient_ = g;
  return Step::kNext;
}

Step LineCompiler::curve_row(std::string_view field) {
  const std::int32_t start = reader_.read_number();
  const std::int32_t length = reader_.read_number();
  if (!within_route(start)) return out_of_route(RowId::kCurve, start);
  double curvature = 0;
  for (std::size_t c = 0; c < kCurveCurvatures.size() && curvature == 0; ++c) {
    if (field.find(static_cast<char>('1' + c)) != std::string_view::npos) {
      curvature = kCurveCurvatures[c];
    }
  }
  if (curvature == 0) {
    s_.errors.record(
        error_code::kCurveClass,
        "the curve keyword \"" + std::string(field) + "\" carries no class digit 1 to 6", here(0));
    s_.errors.hint = "the digit gives the radius: curvad1 (10,000 m) to curvad6 (about 333 m)";
    return abandon_row();
  }
  if (contains_any_case(field, "s")) curvature = curvature * -1;
  if (geometry_exhausted_) return Step::kNext;
  warn_about_curve(start, length, curvature);
  GeometryTable& g = *s_.geometry;
  const std::int64_t end = std::int64_t{start} + length;
  // Straight up to the curve's start, then the curve itself.
  while (g.next_point() <= start) {
    g.add_straight();
    if (geometry_full()) return abandon_row();
  }
  try {
    while (g.next_point() <= end) {
      g.add_curve(curvature);
      if (geometry_full()) return abandon_row();
    }
  } catch (const UnexpectedFailure&) {
    if (end <= s_.route_span) throw;
    s_.errors.record(error_code::kUnexpectedFailure,
                     "the curve row from " + metres(start) + " runs " + metres(length) + " to " +
                         metres(end) + ", past the end of the track at " + metres(s_.route_span) +
                         ", where the plan of the line ends",
                     here(2));
    note_route_length(s_);
    throw recorded_failure(s_.errors);
  }
  return Step::kNext;
}

bool LineCompiler::geometry_full() {
  if (s_.geometry->next_point() <= kLastGeometryPoint) return false;
  s_.errors.record(error_code::kCurveClass,
                   "the plan of the line runs past 1,000,000 m, the last point the plan "
                   "geometry holds",
                   here(2));
  geometry_exhausted_ = true;
  return true;
}

Step LineCompiler::mountain_row() {
  std::int32_t start = reader_.read_number();
  std::int32_t end = reader_.read_number();
  std::int32_t kind = reader_.read_number();
  if (!within_route(start)) return out_of_route(RowId::kMountain, start);
  check_.warn_out_of_order("mountain", start, last_mountain_);
  check_.warn_off_grid("the mountain stretch's start", start);
  check_.warn_off_grid("the mountain stretch's end", end);
  if (check_.active()) warn_about_mountain(start, kind);
  if (end < start) {
    check_.warn(2,
                "the mountain stretch from " + route_place(s_, start) + " ends at " + metres(end) +
                    ", before it starts: it covers no cell",
                start);
  }
  memo_montagna(s_, start, end, kind);
  return Step::kNext;
}

Step LineCompiler::board_row() {
  SpeedBoard b;
  for (std::int32_t* v :
       {&b.position, &b.left_speed_a, &b.left_speed_b, &b.left_speed_c, &b.left_stripes,
        &b.right_speed_a, &b.right_speed_b, &b.right_speed_c, &b.right_stripes}) {
    *v = reader_.read_number();
  }
  if (!within_route(b.position)) return out_of_route(RowId::kSpeedBoard, b.position);
  check_.warn_off_grid("the indicator board", b.position);
  if (check_.active()) {
    const std::array values = {b.left_speed_a,  b.left_speed_b,  b.left_speed_c,  b.left_stripes,
                               b.right_speed_a, b.right_speed_b, b.right_speed_c, b.right_stripes};
    for (std::size_t k = 0; k < values.size(); ++k) {
      check_.warn_stored(RowId::kSpeedBoard, k + 2, values[k]);
    }
    check_.warn_in_tail(RowId::kSpeedBoard, b.position, route_length());
  }
  placing_row(RowId::kSpeedBoard);
  memo_indicatori_v_max(s_, b);
  if (s_.errors.failed()) {
    s_.errors.attach_row(b.position, here(1));
    return abandon_row();
  }
  return Step::kNext;
}

Step LineCompiler::signboard_row() {
  const std::int32_t p = reader_.read_number();
  const std::string_view line_buffer = reader_.read_text();
  check_.warn_utf8(2, "the signboard text", line_buffer);
  check_.warn_text_cut(2, line_buffer);
  if (!within_route(p)) return out_of_route(RowId::kSignboard, p);
  check_.warn_off_grid("the signboard", p);
  check_.warn_in_tail(RowId::kSignboard, p, route_length());
  const std::int64_t i = point_cell(p);
  TrackCell* const cell = claim_cell(
      s_, i, error_code::kSignboardCellTaken,
      [&] { return "the signboard at " + route_place(s_, p); }, p, [&] { return here(1); });
  if (cell == nullptr) return abandon_row();
  if (s_.signboard_record == 0) {
    check_.warn(2,
                "this signboard's text lands in header record 0, below the records "
                "signboards and stations share: the line has more than 80 signboards");
  }
  const SignboardView signboard(s_.header.at(s_.signboard_record));
  cell->cell_type = cell_type::kSignboard;
  cell->cell_value = low16(s_.signboard_record);
  signboard.text = std::string(line_buffer);
  store_header_text(s_, line_buffer, "the signboard text", here(2));
  --s_.signboard_record;
  placing_row(RowId::kSignboard);
  s_.origins.placed(i);
  return Step::kNext;
}

void LineCompiler::warn_about_curve(std::int32_t start, std::int32_t length, double curvature) {
  if (!check_.active()) return;
  const double degrees = std::abs(curvature) * length * 180 / std::numbers::pi;
  if (degrees > railway_bounds::kWidestTurn) {
    check_.warn(2,
                "the curve at " + route_place(s_, start) + " turns " +
                    std::to_string(static_cast<int>(degrees)) + " degrees in " + metres(length) +
                    ", more than a full circle",
                start);
  }
  check_.warn_out_of_order("curve", start, last_curve_);
  check_.warn_off_grid("the curve", start);
  const std::int64_t end = std::int64_t{start} + length;
  if (end < s_.geometry->next_point()) {
    check_.warn(1,
                "the curve from " + metres(start) + " to " + metres(end) +
                    " lies behind the line already drawn and is dropped",
                start);
  } else if (start < previous_curve_end_) {
    check_.warn(1,
                "the curve at " + metres(start) + " overlaps the previous one, which ends at " +
                    metres(previous_curve_end_),
                start);
  }
  previous_curve_end_ = std::max(previous_curve_end_, end);
}

void LineCompiler::warn_about_mountain(std::int32_t start, std::int32_t kind) {
  const std::int64_t stored = kind > 10 ? std::int64_t{kind} - 10 : kind;
  if (stored == low8(stored)) return;
  check_.warn(3,
              "the mountain kind " + std::to_string(kind) + " is stored as " +
                  std::to_string(low8(stored)) +
                  ": the cells hold kinds 0 to 255 (above 10: kind - 10, with a marker every "
                  "fourth cell)",
              start);
}

void LineCompiler::fill_gradient(std::int64_t until) {
  do {
    s_.cells.at(gradient_fill_index_).cell_gradient = low8(std::int64_t{previous_gradient_} + 100);
    ++gradient_fill_index_;
  } while (gradient_fill_index_ < until);
}

void LineCompiler::final_fill() {
  fill_gradient(std::int64_t{s_.cells.last_index()} - 2);
  if (!s_.geometry) return;
  GeometryTable& g = *s_.geometry;
  while (g.next_point() <= s_.route_span - 2) g.add_straight();
}

}  // namespace

PhaseOutcome compile_line(Scenario& scenario, std::string_view text, const std::string& path) {
  // The line's text goes before the train is read: its objects' rows keep their lines.
  const ObjectOrigins::Reading reading(scenario.origins, path, text, true);
  return LineCompiler(scenario, text, path).run();
}

}  // namespace tracciato
