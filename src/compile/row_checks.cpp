#include "compile/row_checks.h"

#include <string>
#include <utility>

#include "compile/field_values.h"
#include "model/error_codes.h"
#include "model/header_records.h"
#include "model/positions.h"

namespace tracciato {

namespace {
constexpr std::int32_t kRouteMargin = 7000;

// "the signal" for "a signal".
std::string the(std::string_view object) {
  for (const std::string_view article : {"a ", "an "}) {
    if (object.starts_with(article)) return "the " + std::string(object.substr(article.size()));
  }
  return std::string(object);
}
}  // namespace

std::string metres(std::int64_t p) {
  return thousands(p) + " m";
}

std::string route_place(const Scenario& scenario, std::int64_t p) {
  const auto km = LineKilometres::from_header(scenario.header).kilometre_at(p);
  return km ? metres(p) + " (" + railway_kilometre(*km) + ")" : metres(p);
}

void record_cell_taken(Scenario& scenario, std::int64_t i, std::int32_t code,
                       const std::string& what, std::optional<std::int32_t> position,
                       const SourceLocation& at) {
  const TrackCell& cell = scenario.cells.at(i);
  std::string why = what + " falls in the same 50 m of track as " + cell_type_name(cell.cell_type) +
                    ", and a cell holds one object";
  if (position) {
    scenario.errors.record_at(code, *position, std::move(why), at);
  } else {
    scenario.errors.record(code, std::move(why), at);
  }
  scenario.errors.add_note("the two share track cell " + std::to_string(i) +
                           ", the cell of what stands at " + metres(point_position(i)));
  if (auto first = scenario.origins.object_at(i)) {
    scenario.errors.add_note(
        the(cell_type_name(cell.cell_type)) + " already in this cell was written here",
        std::move(first->at));
  }
}

std::string time_of_day(std::int64_t seconds) {
  const auto two = [](std::int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

void record_beyond_route(Scenario& scenario, const RowKind& row, std::int32_t p,
                         const SourceLocation& at) {
  const std::int64_t last = scenario.cells.last_index();
  const std::string name(row.name);
  // Built from a string rather than a literal: GCC 12 warns falsely about the latter.
  std::string why = std::string("the ").append(name);
  why += " at " + metres(p) + " lies past the end of the track: a " + name +
         " may stand no further than " + metres(last * kCellLength - row.reach);
  scenario.errors.record_at(error_code::kBeyondRoute, p, std::move(why), at);
  note_route_length(scenario);
  scenario.errors.add_note("the track runs " + metres(kRouteMargin) +
                           " past the route length, up to its last cell, " + std::to_string(last) +
                           ", and (position + " + std::to_string(row.reach) +
                           ") / 50 may not pass it");
}

void note_route_length(Scenario& scenario) {
  const RowSource& route = scenario.route_length_row;
  if (route.at.line == 0) return;
  scenario.errors.add_note("the route length row sets the route at " + metres(route.position) +
                               ": the track ends at " + metres(scenario.route_span),
                           route.at);
}

}  // namespace tracciato
