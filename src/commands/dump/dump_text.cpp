#include "commands/dump/dump_text.h"

#include <array>
#include <cstdio>
#include <string>
#include <type_traits>

#include "commands/dump/dump_fields.h"
#include "format/compiled_files.h"

namespace tracciato {

namespace {

constexpr std::size_t kThinnedStep = 100;

std::string quoted(const std::string& utf8) {
  std::string q = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      q += '\\';
      q += c;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      std::array<char, 8> hex{};
      std::snprintf(hex.data(), hex.size(), "\\x%02X", static_cast<unsigned char>(c));
      q += hex.data();
    } else {
      q += c;
    }
  }
  return q + "\"";
}

template <typename Item>
std::string fields_text(const Item& item) {
  std::string line;
  for_each_field(item, [&line](const char* name, const auto& value) {
    using V = std::decay_t<decltype(value)>;
    line += ' ';
    line += name;
    line += '=';
    if constexpr (std::is_same_v<V, ShownText>) {
      line += quoted(value.utf8);
    } else if constexpr (std::is_same_v<V, std::optional<double>>) {
      line += value ? shortest_number(*value) : "empty";
    } else {
      line += std::to_string(value);
    }
  });
  return line;
}

void write_records(std::ostream& out, const DecodedFile& file) {
  out << "# header file: " << file.records.size() << " records, " << file.bytes << " bytes\n";
  for (std::size_t i = 0; i < file.records.size(); ++i) {
    const DecodedRecord& r = file.records[i];
    out << "record=" << i << " offset=" << r.offset << fields_text(r.record) << '\n';
  }
}

void write_cells(std::ostream& out, const DecodedFile& file, bool all) {
  out << "# cell file: " << file.cells.size() << " cells, " << file.bytes << " bytes"
      << (all ? "" : "; cells without an object left out (--all shows them)") << '\n';
  for (std::size_t i = 0; i < file.cells.size(); ++i) {
    if (!all && !holds_object(file.cells[i])) continue;
    out << "cell=" << i << " offset=" << i * kCellBytes << fields_text(file.cells[i]) << '\n';
  }
}

bool tags_change(const DecodedFile& file, std::size_t m) {
  const DecodedPoint& a = file.points[m - 1];
  const DecodedPoint& b = file.points[m];
  return a.lateral.tag != b.lateral.tag || a.along.tag != b.along.tag;
}

void write_points(std::ostream& out, const DecodedFile& file, bool all) {
  out << "# geometry file: " << file.points.size() << " metres, " << file.bytes << " bytes"
      << (all ? "" : "; every 100th metre and where the tags change (--all shows every metre)")
      << '\n';
  const std::size_t last = file.points.size() - 1;
  for (std::size_t m = 0; m <= last; ++m) {
    const bool shown = all || m % kThinnedStep == 0 || m == last || tags_change(file, m);
    if (shown) out << "metre=" << m << fields_text(file.points[m]) << '\n';
  }
}

}  // namespace

void write_dump_text(std::ostream& out, const DecodedFile& file, bool all) {
  switch (file.kind) {
    case CompiledKind::kHeader:
      write_records(out, file);
      break;
    case CompiledKind::kCells:
      write_cells(out, file, all);
      break;
    case CompiledKind::kGeometry:
      write_points(out, file, all);
      break;
  }
}

}  // namespace tracciato
