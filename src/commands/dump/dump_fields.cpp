#include "commands/dump/dump_fields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "base/cp1252.h"

namespace tracciato {

void reset_item(ShownItem& out, const char* what, std::size_t index) {
  out.what = what;
  out.index = index;
  out.offset.reset();
  out.span.reset();
  out.object.clear();
  out.object_at.reset();
  out.object_at_key = "at";
  out.object_at_json = "object_at_m";
  out.fields.clear();
  out.invalid.clear();
}

ShownField& add_field(ShownItem& out, const char* name, std::int64_t raw, Unit unit,
                      std::int64_t decoded) {
  ShownField& f = out.fields.emplace_back();
  f.name = name;
  f.raw = raw;
  f.unit = unit;
  f.decoded = decoded;
  return f;
}

ShownField& add_text_field(ShownItem& out, const char* name, const std::string& cp1252) {
  ShownField& f = out.fields.emplace_back();
  f.name = name;
  f.form = ShownField::Form::kText;
  f.text = cp1252_to_utf8(cp1252);
  return f;
}

void add_detail(ShownField& f, const char* key, std::int64_t number, std::string text) {
  f.details.push_back({key, std::to_string(number), std::move(text)});
}

bool ShownItem::flagged() const {
  return !invalid.empty() ||
         std::ranges::any_of(fields, [](const ShownField& f) { return !f.invalid.empty(); });
}

bool holds_object(const TrackCell& c) {
  return c.cell_type != 0 || c.cell_value != 0 || c.cell_value_2 != 0 || c.cell_value_3 != 0 ||
         c.cell_value_4 != 0 || c.cell_timer != 0 || c.cell_approach_mark != 0 ||
         c.cell_mountain != 0;
}

std::string shortest_number(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return {buffer.data(), result.ptr};
}

void append_number(std::string& text, double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  text.append(buffer.data(), result.ptr);
}

std::string metres_text(std::int64_t m) {
  const std::string digits = std::to_string(m < 0 ? -m : m);
  std::string text = m < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text + " m";
}

std::string clock_text(std::int64_t seconds) {
  const std::int64_t whole = seconds < 0 ? -seconds : seconds;
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                static_cast<long long>(whole / 3600), static_cast<long long>(whole / 60 % 60),
                static_cast<long long>(whole % 60));
  return buffer.data();
}

void show_point(const DecodedPoint& p, ShownItem& out) {
  reset_item(out, "metre", p.metre);
  for (const auto& [name, v] : {std::pair{"lateral", p.lateral}, std::pair{"along", p.along}}) {
    ShownField& f = add_field(out, name, v.tag);
    f.form = ShownField::Form::kCoordinate;
    if (v.tag != 0) f.coordinate = v.value;
  }
}

void show_value(const TaggedValue& v, std::size_t index, ShownItem& out) {
  reset_item(out, "value", index);
  out.offset = v.offset;
  ShownField& f = add_field(out, "value", v.tag);
  f.form = ShownField::Form::kCoordinate;
  if (v.tag != 0) f.coordinate = v.value;
}

}  // namespace tracciato
