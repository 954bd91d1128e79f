#include "compile/decompile/proof.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>

#include "base/cp1252.h"
#include "compile/output_files.h"
#include "format/dump_decoder.h"
#include "model/file_names.h"
#include "model/positions.h"

namespace tracciato {

namespace {

// Collects the differences, describing the first `kept`.
class Differences {
 public:
  explicit Differences(std::size_t kept) : kept_(kept) {}
  bool full() const { return proof_.differences.size() >= kept_; }
  void add(std::string where, std::string what, std::string why) {
    if (full()) {
      ++proof_.left_out;
      return;
    }
    proof_.differences.push_back({std::move(where), std::move(what), std::move(why)});
  }
  Proof take() { return std::move(proof_); }

 private:
  std::size_t kept_;
  Proof proof_;
};

std::string what_text(const std::string& held, const std::string& given) {
  return "holds " + held + "; the descriptions give " + given;
}

// "(104300 m, km 104+300)"
std::string place(const LineKilometres& km, std::int64_t metres) {
  std::string text = "(" + std::to_string(metres) + " m";
  if (const auto k = km.kilometre_at(metres)) text += ", " + railway_kilometre(*k);
  return text + ")";
}

struct CellField {
  const char* name;
  bool run;  // a run's value: the cell covers i x 50 m on, not (i - 1) x 50 m
  std::int64_t (*get)(const TrackCell&);
  const char* why;
};

const std::array<CellField, 11> kCellFields = {{
    {"cell type", false, [](const TrackCell& c) -> std::int64_t { return c.cell_type; },
     "no row of either description places this object here"},
    {"cell value", false, [](const TrackCell& c) -> std::int64_t { return c.cell_value; },
     "no row stores this value with the rest of the cell"},
    {"cell value 2", false, [](const TrackCell& c) -> std::int64_t { return c.cell_value_2; },
     "no row stores this value with the rest of the cell"},
    {"cell value 3", false, [](const TrackCell& c) -> std::int64_t { return c.cell_value_3; },
     "no row stores this value with the rest of the cell"},
    {"cell value 4", false, [](const TrackCell& c) -> std::int64_t { return c.cell_value_4; },
     "no row stores this value with the rest of the cell"},
    {"cell timer", false, [](const TrackCell& c) -> std::int64_t { return c.cell_timer; },
     "only a signal row stores a timer, with its signal"},
    {"cell approach mark", false,
     [](const TrackCell& c) -> std::int64_t { return c.cell_approach_mark; },
     "approach marks are left only 100 to 400 m before a signal or a station, with its own "
     "values"},
    {"cell mountain", true, [](const TrackCell& c) -> std::int64_t { return c.cell_mountain; },
     "no mountain rows give this kind here"},
    {"cell speed", true, [](const TrackCell& c) -> std::int64_t { return c.cell_speed; },
     "speed rows fill every cell from one row to the next, and the last three cells only as "
     "rows at their start carry the fill on"},
    {"cell gradient", true, [](const TrackCell& c) -> std::int64_t { return c.cell_gradient; },
     "gradient rows fill every cell from one row to the next, and the last three cells only as "
     "rows at their start carry the fill on"},
    {"cell adhesion", true, [](const TrackCell& c) -> std::int64_t { return c.cell_adhesion; },
     "adhesion rows fill every cell from one row to the next, and the last three cells only as "
     "rows at their start carry the fill on"},
}};

std::string record_name(int i, const ScenarioHeader& h) {
  const std::string n = "record " + std::to_string(i);
  if (i == 0) return n + " (always cleared)";
  if (i >= 81 && i <= 83) return n + " (a kilometric progressive)";
  if (i == header_index::kTrainValues) return n + " (route length and train values)";
  if (i == header_index::kIdentity) return n + " (scenario identity)";
  if (i == header_index::kSignalling) return n + " (signalling and train settings)";
  const std::string& text = h.at(i).record_text;
  return n + (text.empty() ? "" : " (\"" + cp1252_to_utf8(text) + "\")");
}

struct RecordField {
  const char* name;
  std::string (*get)(const HeaderRecord&);
};

template <auto Member>
std::string number_of(const HeaderRecord& r) {
  return std::to_string(r.*Member);
}
std::string text_of(const HeaderRecord& r) {
  return "\"" + cp1252_to_utf8(r.record_text) + "\"";
}

const std::array<RecordField, 16> kRecordFields = {{
    {"record kind", number_of<&HeaderRecord::record_kind>},
    {"record start", number_of<&HeaderRecord::record_start>},
    {"record end", number_of<&HeaderRecord::record_end>},
    {"record position", number_of<&HeaderRecord::record_position>},
    {"record flag", number_of<&HeaderRecord::record_flag>},
    {"record text", text_of},
    {"record word 1", number_of<&HeaderRecord::record_word_1>},
    {"record word 2", number_of<&HeaderRecord::record_word_2>},
    {"record word 3", number_of<&HeaderRecord::record_word_3>},
    {"record word 4", number_of<&HeaderRecord::record_word_4>},
    {"record word 5", number_of<&HeaderRecord::record_word_5>},
    {"record byte 1", number_of<&HeaderRecord::record_byte_1>},
    {"record byte 2", number_of<&HeaderRecord::record_byte_2>},
    {"record byte 3", number_of<&HeaderRecord::record_byte_3>},
    {"record byte 4", number_of<&HeaderRecord::record_byte_4>},
    {"record time", number_of<&HeaderRecord::record_time>},
}};

bool same_bytes(std::span<const std::uint8_t> a,
                const std::vector<std::span<const std::uint8_t>>& b) {
  std::size_t at = 0;
  for (const auto part : b) {
    if (part.size() > a.size() - at || !std::equal(part.begin(), part.end(), a.begin() + at)) {
      return false;
    }
    at += part.size();
  }
  return at == a.size();
}

void compare_geometry(const CompiledSet& set, const EncodedBuild& build, const std::string& file,
                      const Unexplained& why, Differences& out) {
  if (!set.geometry) return;
  if (build.geometry.empty()) {
    out.add(file, "holds a plan; the descriptions give none", "");
    return;
  }
  if (same_bytes(*set.geometry, build.geometry)) return;
  std::vector<std::uint8_t> given;
  for (const auto part : build.geometry) given.insert(given.end(), part.begin(), part.end());
  const GeometryLayout held_layout = survey_geometry(*set.geometry);
  const GeometryLayout given_layout = survey_geometry(given);
  PointReader held(*set.geometry, held_layout);
  PointReader compiled(given, given_layout);
  const std::string reason =
      why.geometry ? why.geometry->second : "no curve rows draw this point from the two before it";
  DecodedPoint a;
  DecodedPoint b;
  const auto shown = [](const TaggedValue& v) {
    if (v.tag == 0) return std::string("nothing");
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v.value);
    return std::string(text);
  };
  while (held.next(a) && compiled.next(b)) {
    const bool lateral = a.lateral.tag != b.lateral.tag || a.lateral.value != b.lateral.value;
    const bool along = a.along.tag != b.along.tag || a.along.value != b.along.value;
    if (!lateral && !along) continue;
    const std::string m = std::to_string(a.metre);
    std::string where = file;
    where += ", metre " + m + ", ";
    where += lateral ? "lateral coordinate" : "coordinate along";
    out.add(where,
            what_text(shown(lateral ? a.lateral : a.along), shown(lateral ? b.lateral : b.along)),
            reason);
    if (out.full()) break;
  }
  if (held_layout.metres != given_layout.metres) {
    out.add(file,
            "holds " + std::to_string(held_layout.metres) + " metres; the descriptions give " +
                std::to_string(given_layout.metres),
            "the plan runs to the route's length plus 7000 m");
  }
}

void compare_header(const CompiledInput& in, const Scenario& s, const std::string& file,
                    const Unexplained& why, Differences& out) {
  for (int i = 0; i < ScenarioHeader::kRecords; ++i) {
    const HeaderRecord& a = in.header.at(i);
    const HeaderRecord& b = s.header.at(i);
    if (a == b) continue;
    const auto note = why.records.find(i);
    for (const RecordField& f : kRecordFields) {
      const std::string held = f.get(a);
      const std::string given = f.get(b);
      if (held == given) continue;
      out.add(file + ", " + record_name(i, in.header) + ", " + f.name, what_text(held, given),
              note != why.records.end() ? note->second
                                        : "no row of either description stores this value here");
    }
  }
}

void compare_cells(const CompiledInput& in, const Scenario& s, const std::string& file,
                   const Unexplained& why, Differences& out) {
  const LineKilometres km = LineKilometres::from_header(in.header);
  const std::vector<TrackCell>& given = s.cells.cells();
  const std::size_t common = std::min(in.cells.size(), given.size());
  for (std::size_t i = 0; i < common && !out.full(); ++i) {
    const auto note = why.cells.find(static_cast<std::int64_t>(i));
    for (const CellField& f : kCellFields) {
      const std::int64_t held = f.get(in.cells[i]);
      const std::int64_t compiled = f.get(given[i]);
      if (held == compiled) continue;
      const auto index = static_cast<std::int64_t>(i);
      out.add(file + ", cell " + std::to_string(i) + " " +
                  place(km, f.run ? index * kCellLength : point_position(index)) + ", " + f.name,
              what_text(std::to_string(held), std::to_string(compiled)),
              note != why.cells.end() ? note->second : f.why);
    }
  }
  if (in.cells.size() != given.size()) {
    out.add(file,
            "holds " + std::to_string(in.cells.size()) + " cells; the descriptions give " +
                std::to_string(given.size()),
            "the route length of header record 84 sets the number of cells");
  }
}

}  // namespace

Proof compare_build(const CompiledSet& set, const CompiledInput& in, const Scenario& compiled,
                    const ScenarioNames& names, const Unexplained& why, std::size_t kept) {
  Differences out(kept);
  if (compiled.errors.failed()) {
    out.add(line_description_name(names.base_name) + ", " +
                train_description_name(names.base_name, names.train_number),
            "do not compile: error " + std::to_string(compiled.errors.error_code) + ": " +
                compiled.errors.explanation,
            "");
    return out.take();
  }
  const EncodedBuild build = encode_build(compiled, names.base_name, names.train_number);
  compare_geometry(set, build, geometry_file_name(names.base_name), why, out);
  if (!same_bytes(set.header, {build.header})) {
    compare_header(in, compiled, header_file_name(names.base_name, names.train_number), why, out);
  }
  if (!same_bytes(set.cells, {build.cells})) {
    compare_cells(in, compiled, cell_file_name(names.base_name, names.train_number), why, out);
  }
  return out.take();
}

}  // namespace tracciato
