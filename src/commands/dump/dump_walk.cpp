#include "commands/dump/dump_walk.h"

#include <algorithm>
#include <string>

namespace tracciato {

namespace {

constexpr std::size_t kThinnedStep = 100;

// The cell indexes that can meet the range: a cell's span or its point object's place.
std::pair<std::size_t, std::size_t> cell_bounds(const DumpRange& range, std::size_t count) {
  const std::int64_t last = static_cast<std::int64_t>(count) - 1;
  const std::int64_t lo = range.from ? *range.from / kCellLength - 1 : 0;
  const std::int64_t hi = range.to ? *range.to / kCellLength + 1 : last;
  const auto clamp = [last](std::int64_t i) {
    return static_cast<std::size_t>(
        std::clamp<std::int64_t>(i, 0, std::max<std::int64_t>(last, 0)));
  };
  return {clamp(lo), clamp(hi)};
}

std::optional<DecodeError> dump_records(std::span<const std::uint8_t> bytes,
                                        const DumpOptions& options, DumpWriter& out,
                                        DumpEnding& ending) {
  const HeaderPlan plan = plan_header(bytes);
  RecordReader reader(bytes);
  DecodedRecord record;
  ShownItem item;
  try {
    while (reader.next(record)) {
      show_record(record, plan, item);
      if (!in_range(item, options.range)) continue;
      ending.flagged += item.flagged() ? 1 : 0;
      out.item(item);
    }
  } catch (const DecodeError& error) {
    return error;
  }
  return std::nullopt;
}

void dump_cells(std::span<const std::uint8_t> bytes, const DumpOptions& options, DumpWriter& out,
                DumpEnding& ending) {
  const CellReader cells(bytes);
  if (cells.count() == 0) return;
  const auto [lo, hi] = cell_bounds(options.range, cells.count());
  ShownItem item;
  for (std::size_t i = lo; i <= hi; ++i) {
    if (!options.all && !holds_object(cells.at(i))) continue;
    show_cell(cells, i, item);
    if (!in_range(item, options.range)) continue;
    ending.flagged += item.flagged() ? 1 : 0;
    out.item(item);
  }
}

bool tags_change(const DecodedPoint& a, const DecodedPoint& b) {
  return a.lateral.tag != b.lateral.tag || a.along.tag != b.along.tag;
}

void dump_points(std::span<const std::uint8_t> bytes, const GeometryLayout& layout,
                 const DumpOptions& options, DumpWriter& out) {
  const auto first =
      static_cast<std::size_t>(std::max<std::int64_t>(options.range.from.value_or(0), 0));
  PointReader reader(bytes, layout, first);
  DecodedPoint point;
  DecodedPoint previous;
  ShownItem item;
  bool at_first = true;
  while (reader.next(point)) {
    const auto m = static_cast<std::int64_t>(point.metre);
    if (!options.range.contains(m)) break;
    const bool shown = options.all || at_first || point.metre % kThinnedStep == 0 ||
                       point.metre + 1 == layout.metres || tags_change(previous, point);
    if (shown) {
      show_point(point, item);
      out.item(item);
    }
    previous = point;
    at_first = false;
  }
}

// A geometry whose values cannot be paired: each value as it stands, up to the damage.
void dump_values(std::span<const std::uint8_t> bytes, const GeometryLayout& layout,
                 const DumpOptions& options, DumpWriter& out) {
  TaggedValueReader reader(bytes, 0, 0);
  ShownItem item;
  std::uint16_t previous_tag = 0;
  for (std::size_t i = 0; i < layout.values; ++i) {
    const TaggedValue v = reader.next();
    const bool shown = options.all || i % kThinnedStep == 0 || i + 1 == layout.values ||
                       (i > 0 && v.tag != previous_tag);
    previous_tag = v.tag;
    if (!shown) continue;
    show_value(v, i, item);
    out.item(item);
  }
}

const char* items_of(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kHeader:
      return "records";
    case CompiledKind::kCells:
      return "cells";
    case CompiledKind::kGeometry:
      return "metres";
  }
  return "";
}

}  // namespace

bool in_range(const ShownItem& item, const DumpRange& range) {
  if (!range.given()) return true;
  if (item.object_at && range.contains(*item.object_at)) return true;
  if (!item.span) return false;
  if (std::string(item.what) == "cell") return range.meets(item.span->from, item.span->to);
  // A platform includes both its ends.
  return range.meets(item.span->from, item.span->to + 1);
}

std::optional<DecodeError> dump_file(CompiledKind kind, const DumpedFile& name,
                                     std::span<const std::uint8_t> bytes,
                                     const DumpOptions& options, DumpWriter& out) {
  DumpHeading heading;
  heading.kind = kind;
  heading.items = items_of(kind);
  heading.a = name;
  heading.range = options.range;
  DumpEnding ending;
  GeometryLayout layout;
  switch (kind) {
    case CompiledKind::kHeader:
      heading.count = ScenarioHeader::kRecords;
      out.begin(heading);
      ending.damage = dump_records(bytes, options, out, ending);
      break;
    case CompiledKind::kCells:
      heading.count = CellReader(bytes).count();
      if (!options.all) heading.left_out = "cells without an object left out (--all shows them)";
      out.begin(heading);
      dump_cells(bytes, options, out, ending);
      ending.damage = CellReader(bytes).damage();
      break;
    case CompiledKind::kGeometry:
      layout = survey_geometry(bytes);
      heading.count = layout.damage ? layout.values : layout.metres;
      heading.items = layout.damage ? "values" : "metres";
      if (!options.all) {
        heading.left_out = std::string("every 100th ") + (layout.damage ? "value" : "metre") +
                           " and where the tags change (--all shows all)";
      }
      out.begin(heading);
      layout.damage ? dump_values(bytes, layout, options, out)
                    : dump_points(bytes, layout, options, out);
      ending.damage = layout.damage;
      break;
  }
  out.end(ending);
  return ending.damage;
}

}  // namespace tracciato
