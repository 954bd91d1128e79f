#include "commands/lsp/features.h"

#include <algorithm>
#include <array>

#include "commands/lsp/description_rows.h"
#include "compile/row_checks.h"
#include "textio/keyword.h"

namespace tracciato::lsp {

namespace {

using nlohmann::json;

// Positions far beyond any route would not fit a cell index.
constexpr std::int64_t kFurthest = 100'000'000;

// The editor's symbol kinds, chosen for their icons.
constexpr int kSymbolStation = 5;     // class
constexpr int kSymbolSignal = 24;     // event
constexpr int kSymbolSlowdown = 25;   // operator
constexpr int kSymbolSignboard = 15;  // string
constexpr int kSymbolCurve = 12;      // function
constexpr int kCompletionKeyword = 14;
constexpr int kSnippet = 2;

std::string place(std::int64_t p, const LineKilometres& kilometres) {
  const auto km = kilometres.kilometre_at(p);
  return km ? metres(p) + " · " + railway_kilometre(*km) : metres(p);
}

std::string cell_of(const TextRow& row, std::int64_t p) {
  switch (row.info->placement) {
    case Placement::kRun:
      return " · cell " + std::to_string(p / kCellLength);
    case Placement::kPoint:
      return " · cell " + std::to_string(p / kCellLength + 1);
    default:
      return {};
  }
}

json range(int line, int start, int end) {
  return {{"start", {{"line", line}, {"character", start}}},
          {"end", {{"line", line}, {"character", end}}}};
}

const TextRow* row_at(const std::vector<TextRow>& rows, int line) {
  const auto it =
      std::find_if(rows.begin(), rows.end(), [&](const TextRow& r) { return r.line == line; });
  return it == rows.end() || it->info == nullptr ? nullptr : &*it;
}

std::string curve_shape(const std::string& keyword) {
  constexpr std::array<std::string_view, 6> kRadius = {"10,000", "5,000", "2,500",
                                                       "1,000",  "500",   "about 333"};
  const std::size_t digit = keyword.find_first_of("123456");
  if (digit == std::string::npos) return "no class digit";
  const bool left = keyword.find_first_of("sS") != std::string::npos;
  return "class " + std::string(1, keyword[digit]) + ", radius " +
         std::string(kRadius[keyword[digit] - '1']) + " m, " + (left ? "left" : "right");
}

std::string two_digits(std::int64_t v) {
  return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string station_times(const TextRow& row) {
  const auto stop = row.number(12);
  const auto h = row.number(13);
  const auto m = row.number(14);
  const auto s = row.number(15);
  if (!stop || !h || !m || !s) return {};
  if (*stop == 0 && *h == 0 && *m == 0 && *s == 0) return "passed without stopping";
  return "departs " + two_digits(*h) + ":" + two_digits(*m) + ":" + two_digits(*s) + ", stop " +
         std::to_string(*stop);
}

std::string heading(const TextRow& row, const LineKilometres& kilometres) {
  std::string text = "**" + std::string(row.info->name) + "**";
  const auto p = row.number(0);
  if (row.info->placement != Placement::kNowhere && p && *p >= 0 && *p <= kFurthest)
    text += " at " + place(*p, kilometres) + cell_of(row, *p);
  if (row.info->symbol == Symbol::kCurve) text += " · " + curve_shape(row.fields[0].text);
  if (row.info->symbol == Symbol::kStation) {
    const std::string times = station_times(row);
    if (!times.empty()) text += " · " + times;
  }
  return text;
}

// Where the compile put the station's platform, read back from its record.
std::string platform(const TextRow& row, const LineKilometres& kilometres,
                     std::span<const StationPlatform> platforms) {
  const auto p = row.number(0);
  const auto it = std::find_if(platforms.begin(), platforms.end(),
                               [&](const StationPlatform& s) { return p && s.position == *p; });
  if (it == platforms.end()) return {};
  return "\n\nplatform from " + place(it->start, kilometres) + " to " + place(it->end, kilometres);
}

std::string field_lines(const TextRow& row) {
  std::string text;
  for (std::size_t k = 0; k < row.info->fields.size(); ++k) {
    const FieldInfo& f = row.info->fields[k];
    const std::string value = row.text(k);
    text += "\n- " + std::string(f.name) + ": " +
            (value.empty() ? "*absent*"
                           : "`" + value + "`" + (f.unit.empty() ? "" : " " + std::string(f.unit)));
  }
  return text;
}

std::string symbol_name(const TextRow& row) {
  switch (row.info->symbol) {
    case Symbol::kStation:
      return row.text(16).empty() ? "station" : row.text(16);
    case Symbol::kSignboard:
      return row.text(1).empty() ? "signboard" : row.text(1);
    case Symbol::kSlowdown:
      return "slowdown " + row.text(1) + " km/h";
    case Symbol::kSignal:
      return "signal";
    default:
      return row.fields[0].text;
  }
}

int symbol_kind(Symbol s) {
  switch (s) {
    case Symbol::kStation:
      return kSymbolStation;
    case Symbol::kSignal:
      return kSymbolSignal;
    case Symbol::kSlowdown:
      return kSymbolSlowdown;
    case Symbol::kSignboard:
      return kSymbolSignboard;
    default:
      return kSymbolCurve;
  }
}

std::string snippet(const RowInfo& row) {
  std::string text(row.keyword);
  for (std::size_t k = 0; k < row.fields.size(); ++k)
    text += ", ${" + std::to_string(k + 1) + ":" + std::string(row.fields[k].name) + "}";
  return text;
}

json keyword_fix(const json& d, const std::string& uri, const std::string& keyword) {
  return {{"title", "Write \"" + keyword + "\""},
          {"kind", "quickfix"},
          {"diagnostics", json::array({d})},
          {"isPreferred", true},
          {"edit",
           {{"changes", {{uri, json::array({{{"range", d["range"]}, {"newText", keyword}}})}}}}}};
}

json tab_fix(const json& d, const std::string& uri, std::string_view text) {
  const int line = d["range"]["start"]["line"];
  const TextDocument doc{std::string(text)};
  const std::size_t start = doc.offset_of({line, 0});
  const std::size_t end = std::min(text.find('\n', start), text.size());
  const std::string_view row = text.substr(start, end - start);
  json edits = json::array();
  for (std::size_t i = row.find('\t'); i != std::string_view::npos; i = row.find('\t', i + 1)) {
    const int column = utf16_column(row, int(i) + 1);
    edits.push_back({{"range", range(line, column, column + 1)}, {"newText", " "}});
  }
  if (edits.empty()) return nullptr;
  return {{"title", "Replace the tab with a space"},
          {"kind", "quickfix"},
          {"diagnostics", json::array({d})},
          {"edit", {{"changes", {{uri, edits}}}}}};
}

}  // namespace

json hover(std::string_view text, bool train, const Position& at, const LineKilometres& kilometres,
           std::span<const StationPlatform> platforms) {
  const std::vector<TextRow> rows = read_rows(text, train);
  const TextRow* row = row_at(rows, at.line);
  if (row == nullptr) return nullptr;
  std::string shown = heading(*row, kilometres);
  if (row->info->symbol == Symbol::kStation) shown += platform(*row, kilometres, platforms);
  return {{"contents", {{"kind", "markdown"}, {"value", shown + "\n" + field_lines(*row)}}},
          {"range", range(row->line, 0, row->line_end)}};
}

json document_symbols(std::string_view text, bool train, const LineKilometres& kilometres) {
  json symbols = json::array();
  for (const TextRow& row : read_rows(text, train)) {
    if (row.info == nullptr || row.info->symbol == Symbol::kNone) continue;
    const auto p = row.number(0);
    const json where = range(row.line, 0, row.line_end);
    symbols.push_back({{"name", symbol_name(row)},
                       {"detail", p && *p >= 0 && *p <= kFurthest ? place(*p, kilometres) : ""},
                       {"kind", symbol_kind(row.info->symbol)},
                       {"range", where},
                       {"selectionRange", where}});
  }
  return symbols;
}

json completion(std::string_view text, bool train, const Position& at) {
  json items = json::array();
  for (const RowInfo& row : rows_of(section_at(text, train, at.line))) {
    items.push_back({{"label", std::string(row.keyword)},
                     {"kind", kCompletionKeyword},
                     {"detail", std::string(row.name)},
                     {"insertTextFormat", kSnippet},
                     {"insertText", snippet(row)}});
  }
  return items;
}

json code_actions(std::string_view text, const std::string& uri, const json& diagnostics) {
  json actions = json::array();
  for (const json& d : diagnostics) {
    const json data = d.value("data", json::object());
    if (data.contains("keyword")) actions.push_back(keyword_fix(d, uri, data["keyword"]));
    if (data.value("tab", false)) {
      json fix = tab_fix(d, uri, text);
      if (!fix.is_null()) actions.push_back(std::move(fix));
    }
  }
  return actions;
}

LineKilometres kilometres_of(std::string_view line_text) {
  std::array<KilometricProgressive, 3> written{};
  for (const TextRow& row : read_rows(line_text, false)) {
    if (row.info == nullptr || row.section != Section::kLineGeneral ||
        !row.info->name.starts_with("kilometric"))
      continue;
    // The compiler's order: "tre", then "due", then "uno"; a row naming none is not read.
    const std::string& keyword = row.fields[0].text;
    const std::size_t k = contains_exact(keyword, "tre")   ? 2
                          : contains_exact(keyword, "due") ? 1
                          : contains_exact(keyword, "uno") ? 0
                                                           : written.size();
    if (k == written.size()) continue;
    written[k] = {static_cast<std::int32_t>(row.number(0).value_or(0)),
                  static_cast<std::int32_t>(row.number(1).value_or(0)),
                  row.number(2).value_or(0) == 1};
  }
  return LineKilometres(written);
}

}  // namespace tracciato::lsp
