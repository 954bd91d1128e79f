#include "commands/dump/dump_json.h"

#include <cmath>
#include <string>

#include "base/json_string.h"

namespace tracciato {

namespace {

std::string json_number(double v) {
  const std::string text = shortest_number(v);
  return std::isfinite(v) ? text : json_string(text);
}

const char* unit_key(Unit unit) {
  switch (unit) {
    case Unit::kNone:
      return "";
    case Unit::kMetres:
      return "m";
    case Unit::kKmH:
      return "km_h";
    case Unit::kPerMille:
      return "per_mille";
    case Unit::kClock:
      return "time";
    case Unit::kPercent:
      return "percent";
  }
  return "";
}

void append_key(std::string& j, const char* key) {
  j += '"';
  j += key;
  j += "\":";
}

void append_integer(std::string& j, const ShownField& f) {
  const bool plain = f.unit == Unit::kNone && f.details.empty() && f.invalid.empty();
  if (plain) {
    j += std::to_string(f.raw);
    return;
  }
  j += "{\"raw\":" + std::to_string(f.raw);
  if (f.unit != Unit::kNone) {
    j += ',';
    append_key(j, unit_key(f.unit));
    j += f.unit == Unit::kClock ? json_string(clock_text(f.decoded)) : std::to_string(f.decoded);
  }
  for (const Detail& d : f.details) {
    j += ',';
    append_key(j, d.key);
    j += d.json;
  }
  if (!f.invalid.empty()) j += ",\"invalid\":" + json_string(f.invalid);
  j += '}';
}

void append_field(std::string& j, const ShownField& f) {
  j += ',';
  append_key(j, f.name);
  switch (f.form) {
    case ShownField::Form::kText:
      if (f.invalid.empty()) {
        j += json_string(f.text);
      } else {
        j += "{\"text\":" + json_string(f.text) + ",\"invalid\":" + json_string(f.invalid) + "}";
      }
      break;
    case ShownField::Form::kCoordinate:
      j += "{\"tag\":";
      j += std::to_string(f.raw);
      j += ",\"m\":";
      if (!f.coordinate) {
        j += "null";
      } else if (std::isfinite(*f.coordinate)) {
        append_number(j, *f.coordinate);
      } else {
        j += json_number(*f.coordinate);
      }
      j += '}';
      break;
    case ShownField::Form::kInteger:
      append_integer(j, f);
      break;
  }
}

void append_item(std::string& j, const ShownItem& item) {
  j += '{';
  append_key(j, item.what);
  j += std::to_string(item.index);
  if (item.offset) j += ",\"offset\":" + std::to_string(*item.offset);
  if (item.span) {
    j += ",\"span_m\":[" + std::to_string(item.span->from) + "," + std::to_string(item.span->to) +
         "]";
  }
  if (!item.object.empty()) j += ",\"object\":" + json_string(item.object);
  if (item.object_at) {
    j += ',';
    append_key(j, item.object_at_json);
    j += std::to_string(*item.object_at);
  }
  for (const ShownField& f : item.fields) append_field(j, f);
  if (!item.invalid.empty()) j += ",\"invalid\":" + json_string(item.invalid);
  j += '}';
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

std::string file_object(const DumpedFile& f) {
  return "{\"file\":" + json_string(f.name) + ",\"bytes\":" + std::to_string(f.bytes) + "}";
}

class JsonWriter : public DumpWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void begin(const DumpHeading& heading) override {
    diff_ = heading.b.has_value();
    std::string& j = out_.text();
    j += "{\"kind\":";
    j += json_string(kind_name(heading.kind));
    if (diff_) {
      j += ",\"a\":" + file_object(heading.a) + ",\"b\":" + file_object(*heading.b);
    } else {
      j += ",\"bytes\":" + std::to_string(heading.a.bytes);
      j += ",\"count\":" + std::to_string(heading.count);
    }
    if (heading.range.from) j += ",\"from_m\":" + std::to_string(*heading.range.from);
    if (heading.range.to) j += ",\"to_m\":" + std::to_string(*heading.range.to);
    j += ",";
    append_key(j, diff_ ? "differences" : items_key(heading));
    j += '[';
  }

  void item(const ShownItem& item) override {
    separate();
    append_item(out_.text(), item);
    out_.maybe_flush();
  }

  void difference(const ShownItem* a, const ShownItem* b) override {
    separate();
    std::string& j = out_.text();
    j += "{\"a\":";
    a != nullptr ? append_item(j, *a) : void(j += "null");
    j += ",\"b\":";
    b != nullptr ? append_item(j, *b) : void(j += "null");
    j += '}';
    out_.maybe_flush();
  }

  void end(const DumpEnding& ending) override {
    std::string& j = out_.text();
    j += "\n]";
    if (diff_) j += ",\"count\":" + std::to_string(ending.differences);
    j += ",\"flagged\":" + std::to_string(ending.flagged);
    if (ending.damage) {
      j += R"(,"error":{"offset":)" + std::to_string(ending.damage->offset()) + R"(,"reason":)" +
           json_string(ending.damage->what()) + "}";
    }
    j += "}\n";
    out_.flush();
  }

 private:
  static const char* items_key(const DumpHeading& heading) {
    return std::string(heading.items) == "metres" ? "points" : heading.items;
  }

  void separate() {
    out_.text() += first_ ? "\n" : ",\n";
    first_ = false;
  }

  OutputBuffer out_;
  bool diff_ = false;
  bool first_ = true;
};

}  // namespace

std::unique_ptr<DumpWriter> json_dump_writer(std::ostream& out) {
  return std::make_unique<JsonWriter>(out);
}

}  // namespace tracciato
