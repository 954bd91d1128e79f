// The items that differ between two compiled files of one kind, both read in step.
#include <algorithm>
#include <bit>
#include <cstring>

#include "commands/dump/dump_walk.h"

namespace tracciato {

namespace {

// Both sides of one item, shown when they differ and either lies in the range.
class Differences {
 public:
  Differences(const DumpRange& range, DumpWriter& out) : range_(range), out_(out) {}
  ShownItem& a() { return a_; }
  ShownItem& b() { return b_; }
  // Writes the pair when it lies in the range; `has_a` and `has_b` say which sides exist.
  void found(bool has_a, bool has_b) {
    if (!(has_a && in_range(a_, range_)) && !(has_b && in_range(b_, range_))) return;
    out_.difference(has_a ? &a_ : nullptr, has_b ? &b_ : nullptr);
    ++count_;
  }
  std::size_t count() const { return count_; }

 private:
  const DumpRange& range_;
  DumpWriter& out_;
  ShownItem a_;
  ShownItem b_;
  std::size_t count_ = 0;
};

void diff_records(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                  Differences& diff) {
  const HeaderPlan plan_a = plan_header(a);
  const HeaderPlan plan_b = plan_header(b);
  RecordReader in_a(a);
  RecordReader in_b(b);
  DecodedRecord ra;
  DecodedRecord rb;
  while (in_a.next(ra) && in_b.next(rb)) {
    if (ra.record == rb.record) continue;
    show_record(ra, plan_a, diff.a());
    show_record(rb, plan_b, diff.b());
    diff.found(true, true);
  }
}

void diff_cells(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                const DumpRange& range, Differences& diff) {
  const CellReader in_a(a);
  const CellReader in_b(b);
  const std::size_t count = std::max(in_a.count(), in_b.count());
  const std::int64_t lo = range.from ? std::max<std::int64_t>(*range.from / kCellLength - 1, 0) : 0;
  const std::int64_t hi =
      range.to ? *range.to / kCellLength + 1 : static_cast<std::int64_t>(count) - 1;
  for (auto i = static_cast<std::size_t>(lo); i < count && static_cast<std::int64_t>(i) <= hi;
       ++i) {
    const bool has_a = i < in_a.count();
    const bool has_b = i < in_b.count();
    if (has_a && has_b &&
        std::memcmp(a.data() + CellReader::offset(i), b.data() + CellReader::offset(i),
                    kCellBytes) == 0) {
      continue;
    }
    if (has_a) show_cell(in_a, i, diff.a());
    if (has_b) show_cell(in_b, i, diff.b());
    diff.found(has_a, has_b);
  }
}

bool same_value(const TaggedValue& a, const TaggedValue& b) {
  return a.tag == b.tag &&
         std::bit_cast<std::uint64_t>(a.value) == std::bit_cast<std::uint64_t>(b.value);
}

void diff_points(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                 const DumpRange& range, Differences& diff) {
  const GeometryLayout layout_a = survey_geometry(a);
  const GeometryLayout layout_b = survey_geometry(b);
  const auto first = static_cast<std::size_t>(std::max<std::int64_t>(range.from.value_or(0), 0));
  PointReader in_a(a, layout_a, first);
  PointReader in_b(b, layout_b, first);
  DecodedPoint pa;
  DecodedPoint pb;
  for (;;) {
    const bool has_a = in_a.next(pa);
    const bool has_b = in_b.next(pb);
    if (!has_a && !has_b) return;
    const std::size_t metre = has_a ? pa.metre : pb.metre;
    if (!range.contains(static_cast<std::int64_t>(metre))) return;
    if (has_a && has_b && same_value(pa.lateral, pb.lateral) && same_value(pa.along, pb.along)) {
      continue;
    }
    if (has_a) show_point(pa, diff.a());
    if (has_b) show_point(pb, diff.b());
    diff.found(has_a, has_b);
  }
}

}  // namespace

std::size_t dump_differences(CompiledKind kind, const DumpedFile& a_name,
                             std::span<const std::uint8_t> a, const DumpedFile& b_name,
                             std::span<const std::uint8_t> b, const DumpRange& range,
                             DumpWriter& out) {
  DumpHeading heading;
  heading.kind = kind;
  heading.a = a_name;
  heading.b = b_name;
  heading.range = range;
  heading.items = kind == CompiledKind::kHeader  ? "records"
                  : kind == CompiledKind::kCells ? "cells"
                                                 : "metres";
  out.begin(heading);
  Differences diff(range, out);
  switch (kind) {
    case CompiledKind::kHeader:
      diff_records(a, b, diff);
      break;
    case CompiledKind::kCells:
      diff_cells(a, b, range, diff);
      break;
    case CompiledKind::kGeometry:
      diff_points(a, b, range, diff);
      break;
  }
  DumpEnding ending;
  ending.differences = diff.count();
  out.end(ending);
  return diff.count();
}

}  // namespace tracciato
