#include "commands/dump/dump_text.h"

#include <array>
#include <cstdio>
#include <string>

namespace tracciato {

namespace {

void append_quoted(std::string& q, const std::string& utf8) {
  q += '"';
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
  q += '"';
}

std::string unit_text(const ShownField& f) {
  switch (f.unit) {
    case Unit::kNone:
      return {};
    case Unit::kMetres:
      return metres_text(f.decoded);
    case Unit::kKmH:
      return std::to_string(f.decoded) + " km/h";
    case Unit::kPerMille:
      return std::to_string(f.decoded) + " \u2030";
    case Unit::kClock:
      return clock_text(f.decoded);
    case Unit::kPercent:
      return std::to_string(f.decoded) + " %";
  }
  return {};
}

// "lateral=399.3346662396679 (tag 5)", written straight into the line: a geometry has a
// million of them.
void append_coordinate(std::string& line, const ShownField& f) {
  if (f.coordinate) {
    append_number(line, *f.coordinate);
  } else {
    line += "empty";
  }
  line += " (tag ";
  line += std::to_string(f.raw);
  line += ')';
}

void append_field(std::string& line, const ShownField& f) {
  line += ' ';
  line += f.name;
  line += '=';
  if (f.form == ShownField::Form::kCoordinate) {
    append_coordinate(line, f);
    return;
  }
  std::string reading = unit_text(f);
  if (f.form == ShownField::Form::kText) {
    append_quoted(line, f.text);
  } else {
    line += std::to_string(f.raw);
  }
  for (const Detail& d : f.details) reading += (reading.empty() ? "" : ", ") + d.text;
  if (!reading.empty()) line += " (" + reading + ")";
  if (!f.invalid.empty()) line += " !(" + f.invalid + ")";
}

// "cell 82: 4,100–4,150 m, offset 1230, signal at 4,050 m: type=1 ..."
void append_item(std::string& line, const ShownItem& item) {
  if (item.flagged()) line += "! ";
  line += item.what;
  line += ' ';
  line += std::to_string(item.index);
  if (item.span) {
    line += ": " + metres_text(item.span->from);
    line.erase(line.size() - 2);  // the unit once, after the span's end
    line += "\u2013" + metres_text(item.span->to);
  }
  if (item.offset) line += ", offset " + std::to_string(*item.offset);
  if (!item.object.empty()) line += ", " + item.object;
  if (item.object_at)
    line += std::string(" ") + item.object_at_key + " " + metres_text(*item.object_at);
  if (!item.invalid.empty()) line += " !(" + item.invalid + ")";
  line += ':';
  for (const ShownField& f : item.fields) append_field(line, f);
  line += '\n';
}

const char* kind_noun(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kHeader:
      return "header";
    case CompiledKind::kCells:
      return "cell";
    case CompiledKind::kGeometry:
      return "geometry";
  }
  return "";
}

std::string range_text(const DumpRange& range) {
  std::string text;
  if (range.from) text += " from " + metres_text(*range.from);
  if (range.to) text += " to " + metres_text(*range.to);
  return text;
}

// "records" to "record" for one.
std::string counted(std::size_t n, const char* items) {
  std::string noun = items;
  if (n == 1) noun.pop_back();
  return std::to_string(n) + " " + noun;
}

class TextWriter : public DumpWriter {
 public:
  explicit TextWriter(std::ostream& out) : out_(out) {}

  void begin(const DumpHeading& heading) override {
    items_ = heading.items;
    diff_ = heading.b.has_value();
    std::string& t = out_.text();
    t += std::string("# ") + kind_noun(heading.kind) + " file";
    if (heading.b) {
      t += "s: < " + heading.a.name + " (" + std::to_string(heading.a.bytes) + " bytes), > " +
           heading.b->name + " (" + std::to_string(heading.b->bytes) + " bytes)";
    } else {
      t += ": " + counted(heading.count, heading.items) + ", " + std::to_string(heading.a.bytes) +
           " bytes";
    }
    if (heading.range.given()) t += ";" + range_text(heading.range);
    if (!heading.left_out.empty()) t += "; " + heading.left_out;
    t += '\n';
  }

  void item(const ShownItem& item) override {
    append_item(out_.text(), item);
    out_.maybe_flush();
  }

  void difference(const ShownItem* a, const ShownItem* b) override {
    for (const auto& [mark, side] : {std::pair{"< ", a}, std::pair{"> ", b}}) {
      out_.text() += mark;
      if (side != nullptr) {
        append_item(out_.text(), *side);
      } else {
        out_.text() += "(none)\n";
      }
    }
    out_.maybe_flush();
  }

  void end(const DumpEnding& ending) override {
    std::string& t = out_.text();
    if (ending.flagged > 0) {
      t += "# " + std::to_string(ending.flagged) + " marked ! (values the format does not allow)\n";
    }
    if (diff_)
      t += counted(ending.differences, items_) +
           (ending.differences == 1 ? " differs\n" : " differ\n");
    out_.flush();
  }

 private:
  OutputBuffer out_;
  const char* items_ = "";
  bool diff_ = false;
};

}  // namespace

std::unique_ptr<DumpWriter> text_dump_writer(std::ostream& out) {
  return std::make_unique<TextWriter>(out);
}

}  // namespace tracciato
