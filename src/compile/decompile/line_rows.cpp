#include "compile/decompile/line_rows.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "compile/decompile/curve_rows.h"
#include "compile/decompile/description_text.h"
#include "compile/decompile/run_rows.h"
#include "compile/line/progressive_order.h"
#include "model/positions.h"
#include "model/scenario.h"

namespace tracciato {

namespace {

using header_index::kIdentity;
using header_index::kSignalling;
using header_index::kTrainValues;

struct Triple {
  std::int64_t start = 0;
  std::int64_t kilometre = 0;
  std::int64_t direction = 0;
};

Triple stored_triple(const HeaderRecord& r) {
  return {r.record_start, r.record_end, r.record_position};
}

// The progressive as written: a decreasing one is stored 100 m on.
Triple written_triple(const HeaderRecord& r) {
  Triple t = stored_triple(r);
  if (t.direction == 1) t.kilometre -= kDecreasingValueShift;
  return t;
}

bool fits_i32(const Triple& t) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  return t.kilometre >= lo;
}

// Rows "uno", "due" and "tre" that the ordering turns into the stored records 81 to 83:
// each arrangement of the three is tried, the stored order first.
std::array<Triple, 3> progressive_rows(const ScenarioHeader& stored, Unexplained& why) {
  std::array<Triple, 3> by_record = {written_triple(stored.at(81)), written_triple(stored.at(82)),
                                     written_triple(stored.at(83))};
  std::array<int, 3> order = {0, 1, 2};
  do {
    // order[0] is written as "uno", order[1] as "due", order[2] as "tre".
    ScenarioHeader h;
    const std::array<int, 3> record_of = {header_index::kProgressiveUno,
                                          header_index::kProgressiveDue,
                                          header_index::kProgressiveTre};
    bool fits = true;
    for (int k = 0; k < 3; ++k) {
      const Triple& t = by_record[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])];
      fits = fits && fits_i32(t);
      HeaderRecord& r = h.at(record_of[static_cast<std::size_t>(k)]);
      r.record_start = static_cast<std::int32_t>(t.start);
      r.record_end = static_cast<std::int32_t>(t.kilometre);
      r.record_position = static_cast<std::int32_t>(t.direction);
    }
    if (!fits) continue;
    progressive_ordina(h);
    bool same = true;
    for (int r = 81; r <= 83; ++r) {
      const HeaderRecord& a = h.at(r);
      const HeaderRecord& b = stored.at(r);
      same = same && a.record_start == b.record_start && a.record_end == b.record_end &&
             a.record_position == b.record_position;
    }
    if (same) {
      return {by_record[static_cast<std::size_t>(order[0])],
              by_record[static_cast<std::size_t>(order[1])],
              by_record[static_cast<std::size_t>(order[2])]};
    }
  } while (std::next_permutation(order.begin(), order.end()));
  why.record(81,
             "no three progressive rows order into these records: the ordering puts the latest "
             "start first, needs one start beyond both others and moves a decreasing one 100 m "
             "on");
  return by_record;
}

void general_section(const CompiledInput& in, DescriptionText& out, Unexplained& why) {
  const ScenarioHeader& h = in.header;
  out.line("[generale]");
  out.row("lunghezza percorso", {{h.at(kTrainValues).record_end, 10}});
  const auto p = progressive_rows(h, why);
  const std::array<const char*, 3> names = {"progressiva chilometrica uno",
                                            "progressiva chilometrica due",
                                            "progressiva chilometrica tre"};
  for (std::size_t k = 0; k < 3; ++k) {
    out.row(names[k], {{p[k].start, 5}, {p[k].kilometre, 10}, {p[k].direction, 5}});
  }
  const HeaderRecord& identity = h.at(kIdentity);
  out.row("sfondo uno", {{identity.record_start, 9}});
  out.row("sfondo due", {{identity.record_position, 9}});
  out.row("sfondo tre", {{identity.record_end, 9}});
  const HeaderRecord& signalling = h.at(kSignalling);
  const std::int32_t codes = signalling.record_position;
  const bool nine = codes == 9;
  if (signalling.record_end == 0 ? codes != 0 : codes != 4 && codes != 9) {
    why.record(kSignalling,
               "the signal repetition row stores 4 or 9 codes, or 0 when its second distance is 0");
  }
  out.row(nine ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici",
          {{signalling.record_start, 5}, {signalling.record_end, 5}});
}

void curve_section(const CompiledInput& in, std::optional<std::span<const std::uint8_t>> geometry,
                   DescriptionText& out, Unexplained& why) {
  out.line("[curve]");
  if (!geometry) return;
  const std::int64_t span = std::int64_t{in.header.at(kTrainValues).record_end} + 7000;
  for (const CurveRow& c : curve_rows(*geometry, span, why)) {
    std::string keyword = c.left ? "curvas" : "curvad";
    keyword += static_cast<char>('0' + c.curve_class);
    out.row(keyword, {{c.start, 7}, {c.length, 6}});
  }
}

void gradient_section(const CompiledInput& in, DescriptionText& out) {
  out.line("[pendenze]");
  std::vector<std::uint8_t> stored;
  stored.reserve(in.cells.size());
  for (const TrackCell& c : in.cells) stored.push_back(c.cell_gradient);
  for (const RunRow& r : run_rows(stored)) {
    out.row("pendenza", {{r.cell * kCellLength, 7}, {std::int64_t{r.stored} - 100, 5}});
  }
}

struct MountainRow {
  std::int64_t first = 0;
  std::int64_t last = 0;
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::int64_t kind = 0;
};

// The least start whose cell start / 50 is `first`, and the greatest end whose last cell
// end / 50 - 1 is `last` (halves to even).
std::int64_t latest_start(std::int64_t first) {
  return first * kCellLength + (first % 2 == 0 ? 25 : 24);
}
std::int64_t earliest_end(std::int64_t last) {
  return last * kCellLength + (last % 2 == 0 ? 25 : 26);
}

constexpr std::int64_t kNearMountain = 150;
constexpr std::int64_t kNearKind = 3;

// A stretch with markers puts one on every fourth of its cells, from its own first cell:
// a run of one kind whose markers change their step is several stretches, each starting
// where its markers' step says (rows that close take kind 3 anyway).
std::vector<std::pair<std::int64_t, std::int64_t>> marker_stretches(const CompiledInput& in,
                                                                    std::int64_t first,
                                                                    std::int64_t last) {
  std::vector<std::pair<std::int64_t, std::int64_t>> stretches;
  std::int64_t start = first;
  bool markers = false;
  std::int64_t missing = -1;  // a place of the step without its marker
  for (std::int64_t c = first; c <= last; ++c) {
    const std::uint8_t type = in.cells[static_cast<std::size_t>(c)].cell_type;
    const bool marker_place = (c - start) % 4 == 3;
    if (type == cell_type::kMountainMarker) {
      if ((!marker_place || missing >= 0) && c - 3 > start) {
        if (missing >= 0 && missing <= c - 4) {
          stretches.emplace_back(start, missing - 1);
          start = missing;
        }
        stretches.emplace_back(start, c - 4);
        start = c - 3;
        missing = -1;
      }
      markers = true;
    } else if (type == cell_type::kNothing && marker_place && missing < 0) {
      missing = c;
    }
  }
  if (missing >= 0 && markers) {
    stretches.emplace_back(start, missing - 1);
    start = missing;
  }
  stretches.emplace_back(start, last);
  return stretches;
}

// One row per stretch: a stretch that starts within 150 m of the end of the row before
// it takes kind 3, so a run of another kind that close starts as late and the one before
// ends as early as their cells allow.
std::vector<MountainRow> mountain_rows(const CompiledInput& in, Unexplained& why) {
  std::vector<MountainRow> rows;
  const auto cells = static_cast<std::int64_t>(in.cells.size());
  for (std::int64_t i = 0; i < cells; ++i) {
    const std::uint8_t kind = in.cells[static_cast<std::size_t>(i)].cell_mountain;
    if (kind == 0) continue;
    std::int64_t j = i;
    while (j + 1 < cells && in.cells[static_cast<std::size_t>(j + 1)].cell_mountain == kind) ++j;
    for (const auto& [first, last] : marker_stretches(in, i, j)) {
      bool markers = false;
      for (std::int64_t c = first; c <= last; ++c) {
        markers = markers ||
                  in.cells[static_cast<std::size_t>(c)].cell_type == cell_type::kMountainMarker;
      }
      MountainRow row{first, last, first * kCellLength, (last + 1) * kCellLength, 0};
      if (markers) {
        row.kind = kind + 10;
      } else {
        row.kind = kind <= 10 ? kind : kind - 256;
      }
      if (!rows.empty() && kind != kNearKind && row.start - rows.back().end <= kNearMountain) {
        row.start = latest_start(first);
        rows.back().end = earliest_end(rows.back().last);
        if (row.start - rows.back().end <= kNearMountain) {
          why.cell(first,
                   "a mountain stretch that starts within 150 m of the one before it has kind 3");
        }
      }
      rows.push_back(row);
    }
    i = j;
  }
  if (rows.size() > static_cast<std::size_t>(MountainTable::kLastEntry)) {
    why.cell(rows[MountainTable::kLastEntry].first, "a line holds at most 80 mountain stretches");
  }
  return rows;
}

void mountain_section(const CompiledInput& in, DescriptionText& out, Unexplained& why) {
  out.line("[montagne]");
  for (const MountainRow& r : mountain_rows(in, why)) {
    out.row("montagna", {{r.start, 8}, {r.end, 7}, {r.kind, 4}});
  }
}

// A speed value 20 x left + right / 5 as the two speeds: the left one a whole 20th.
struct BoardSide {
  std::int64_t left = 0;
  std::int64_t right = 0;
};
BoardSide board_side(std::int16_t value) {
  const std::int64_t v = value;
  const std::int64_t left = v >= 0 ? v / 20 : -((-v + 19) / 20);
  return {left, (v - 20 * left) * 5};
}

void board_section(const CompiledInput& in, DescriptionText& out) {
  out.line("[cartelli]");
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    const TrackCell& c = in.cells[i];
    if (c.cell_type != cell_type::kSpeedBoard) continue;
    const BoardSide a = board_side(c.cell_value);
    const BoardSide b = board_side(c.cell_value_2);
    const BoardSide s = board_side(c.cell_value_3);
    const bool right = a.right != 0 || b.right != 0 || s.right != 0;
    const std::int64_t stripes = c.cell_value_4;
    out.row("indicatori_vmax", {{point_position(static_cast<std::int64_t>(i)), 7},
                                {a.left, 4},
                                {b.left, 4},
                                {s.left, 4},
                                {stripes / 10, 3},
                                {a.right, 4, !right},
                                {b.right, 4, !right},
                                {s.right, 4, !right},
                                {stripes % 10, 3}});
  }
}

void signboard_section(const CompiledInput& in, DescriptionText& out, Unexplained& why) {
  out.line("[indicazioni]");
  std::vector<std::pair<int, std::int64_t>> boards;  // record, cell
  for (std::size_t i = 0; i < in.cells.size(); ++i) {
    if (in.cells[i].cell_type == cell_type::kSignboard) {
      boards.emplace_back(in.cells[i].cell_value, static_cast<std::int64_t>(i));
    }
  }
  // Record 80 holds the first signboard row's text, 79 the second, and so on.
  std::sort(boards.begin(), boards.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  int expected = header_index::kFirstSignboard;
  for (const auto& [record, cell] : boards) {
    std::string text;
    if (record != expected) {
      why.cell(cell,
               "the signboard rows take header records 80, 79, ... one each, in row order; "
               "this one points at record " +
                   std::to_string(record));
    } else {
      text = in.header.at(record).record_text;
      if (!writable_text(text)) {
        why.record(record,
                   "a signboard text cannot hold a comma or a line end, nor begin with a "
                   "blank");
      }
    }
    --expected;
    out.text_row("cartello_indicatore", {{point_position(cell), 7}}, "  " + text);
  }
}

}  // namespace

bool writable_text(std::string_view text) {
  return text.find_first_of(",\r\n") == std::string_view::npos &&
         (text.empty() || text.front() != ' ');
}

std::string line_description_bytes(const CompiledInput& in,
                                   std::optional<std::span<const std::uint8_t>> geometry,
                                   Unexplained& why) {
  DescriptionText out;
  general_section(in, out, why);
  curve_section(in, geometry, out, why);
  gradient_section(in, out);
  mountain_section(in, out, why);
  board_section(in, out);
  signboard_section(in, out, why);
  out.line("[fine]");
  return out.bytes();
}

}  // namespace tracciato
