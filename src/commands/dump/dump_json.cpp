#include "commands/dump/dump_json.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <type_traits>

#include "base/json_string.h"
#include "commands/dump/dump_fields.h"
#include "format/compiled_files.h"

namespace tracciato {

namespace {

std::string json_number(double v) {
  const std::string text = shortest_number(v);
  return std::isfinite(v) ? text : json_string(text);
}

template <typename Item>
std::string json_fields(const Item& item) {
  std::string text;
  for_each_field(item, [&text](const char* name, const auto& value) {
    using V = std::decay_t<decltype(value)>;
    text += ",\"";
    text += name;
    text += "\":";
    if constexpr (std::is_same_v<V, ShownText>) {
      text += json_string(value.utf8);
    } else if constexpr (std::is_same_v<V, std::optional<double>>) {
      text += value ? json_number(*value) : "null";
    } else {
      text += std::to_string(value);
    }
  });
  return text;
}

const char* kind_name(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kHeader:
      return "header";
    case CompiledKind::kCells:
      return "cells";
    case CompiledKind::kGeometry:
      return "geometry";
  }
  return "";
}

// Writes `count` items, one per line, each from `item(i)`.
template <typename Item>
void write_items(std::ostream& out, const char* key, std::size_t count, const Item& item) {
  out << ",\"" << key << "\":[";
  for (std::size_t i = 0; i < count; ++i) out << (i == 0 ? "\n" : ",\n") << item(i);
  out << "\n]";
}

}  // namespace

void write_dump_json(std::ostream& out, const DecodedFile& file) {
  out << R"({"kind":")" << kind_name(file.kind) << R"(","bytes":)" << file.bytes;
  switch (file.kind) {
    case CompiledKind::kHeader:
      write_items(out, "records", file.records.size(), [&file](std::size_t i) {
        const DecodedRecord& r = file.records[i];
        return "{\"index\":" + std::to_string(i) + ",\"offset\":" + std::to_string(r.offset) +
               json_fields(r.record) + "}";
      });
      break;
    case CompiledKind::kCells:
      write_items(out, "cells", file.cells.size(), [&file](std::size_t i) {
        return "{\"index\":" + std::to_string(i) + ",\"offset\":" + std::to_string(i * kCellBytes) +
               json_fields(file.cells[i]) + "}";
      });
      break;
    case CompiledKind::kGeometry:
      write_items(out, "points", file.points.size(), [&file](std::size_t m) {
        return "{\"metre\":" + std::to_string(m) + json_fields(file.points[m]) + "}";
      });
      break;
  }
  out << "}\n";
}

}  // namespace tracciato
