#include "commands/lsp/features.h"

#include <algorithm>
#include <array>
#include <limits>

#include "commands/lsp/description_rows.h"
#include "compile/field_values.h"
#include "compile/row_checks.h"

namespace tracciato::lsp {

namespace {

using nlohmann::json;

// Positions far beyond any route would not fit a cell index.
constexpr std::int64_t kFurthest = 100'000'000;
// What a field's number can be at all.
constexpr std::int64_t kI32Low = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kI32High = std::numeric_limits<std::int32_t>::max();

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

// The editor's outline: the rows an author looks for along the route.
enum class Symbol { kNone, kStation, kSignal, kSlowdown, kSignboard, kCurve };

Symbol symbol_of(const RowKind& kind) {
  switch (kind.id) {
    case RowId::kStation:
      return Symbol::kStation;
    case RowId::kSignal:
      return Symbol::kSignal;
    case RowId::kSlowdown:
      return Symbol::kSlowdown;
    case RowId::kSignboard:
      return Symbol::kSignboard;
    case RowId::kCurve:
      return Symbol::kCurve;
    default:
      return Symbol::kNone;
  }
}

// The cell the row's first field places it in, as the compile rounds it.
std::string cell_of(const TextRow& row, std::int64_t p) {
  const auto stored = stored_value(row.kind->fields.front(), p);
  return stored && stored->cell ? " · cell " + std::to_string(*stored->cell) : "";
}

json range(int line, int start, int end) {
  return {{"start", {{"line", line}, {"character", start}}},
          {"end", {{"line", line}, {"character", end}}}};
}

const TextRow* row_at(const std::vector<TextRow>& rows, int line) {
  const auto it =
      std::find_if(rows.begin(), rows.end(), [&](const TextRow& r) { return r.line == line; });
  return it == rows.end() || it->kind == nullptr ? nullptr : &*it;
}

std::string curve_shape(std::string_view keyword) {
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
  std::string text = "**" + std::string(row.kind->name) + "**";
  const auto p = row.number(0);
  if (row.kind->placement != Placement::kNowhere && p && *p >= 0 && *p <= kFurthest)
    text += " at " + place(*p, kilometres) + cell_of(row, *p);
  const Symbol symbol = symbol_of(*row.kind);
  if (symbol == Symbol::kCurve) text += " · " + curve_shape(row.fields[0].text);
  if (symbol == Symbol::kStation) {
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

std::string with_unit(const std::string& value, std::string_view unit) {
  return unit.empty() ? value : value + " " + std::string(unit);
}

// What the simulator gets where it is not what is written.
std::string stored_words(const TextRow& row, std::size_t k) {
  const auto written = row.number(k);
  if (!written || *written < kI32Low || *written > kI32High) return {};
  const FieldSpec& f = row.kind->fields[k];
  const bool decreasing = f.storage == Storage::kKilometre && row.number(k + 1) == 1;
  const auto stored = stored_value(f, *written, decreasing);
  if (!stored || !differs(*stored, *written)) return {};
  if (!stored->value) return " · does not fit: the compile fails (error 25)";
  const std::string value = with_unit(thousands(*stored->value), f.unit);
  if (stored->cell) return " · goes to cell " + std::to_string(*stored->cell) + ", at " + value;
  return " · stored as " + value;
}

// Text as written, shown as a code span: its fence is longer than any run of backticks
// inside, so nothing in the text, a backtick included, is markup.
std::string code_span(const std::string& text) {
  std::size_t longest = 0;
  for (std::size_t at = text.find('`'); at != std::string::npos; at = text.find('`', at)) {
    const std::size_t end = std::min(text.find_first_not_of('`', at), text.size());
    longest = std::max(longest, end - at);
    at = end;
  }
  const std::string fence(longest + 1, '`');
  // A space each side keeps a backtick at either end from joining the fence.
  const bool pad =
      text.front() == '`' || text.back() == '`' || (text.front() == ' ' && text.back() == ' ');
  const std::string space = pad ? " " : "";
  return fence + space + text + space + fence;
}

// Each field by its name: the value as written and as stored, then the range the
// simulator's field holds, how it is stored and what it does.
std::string field_lines(const TextRow& row) {
  std::string text;
  for (std::size_t k = 0; k < row.kind->fields.size(); ++k) {
    const FieldSpec& f = row.kind->fields[k];
    const std::string value = row.text(k);
    text += "\n- " + std::string(f.name) + ": " +
            (value.empty() ? "*absent*" : with_unit(code_span(value), f.unit)) +
            stored_words(row, k) + "\n  - " + range_words(f) + "; " +
            std::string(storage_words(f.storage)) +
            (f.note.empty() ? "" : "; " + std::string(f.note));
  }
  return text;
}

std::string symbol_name(const TextRow& row) {
  switch (symbol_of(*row.kind)) {
    case Symbol::kStation:
      return row.text(16).empty() ? "station" : row.text(16);
    case Symbol::kSignboard:
      return row.text(1).empty() ? "signboard" : row.text(1);
    case Symbol::kSlowdown:
      return "slowdown " + row.text(1) + " km/h";
    case Symbol::kSignal:
      return "signal";
    default:
      return std::string(row.fields[0].text);
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

std::string snippet(std::string_view keyword, const RowKind& row) {
  std::string text(keyword);
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
  const std::vector<std::size_t> starts = line_starts(text);
  if (line < 0 || std::size_t(line) >= starts.size()) return nullptr;
  const std::string_view row = line_at(text, starts[std::size_t(line)]);
  json edits = json::array();
  Utf16Cursor columns(row);
  for (std::size_t i = row.find('\t'); i != std::string_view::npos; i = row.find('\t', i + 1)) {
    const int column = columns.column_of(i);
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
  return hover(read_rows(text, train), at, kilometres, platforms);
}

json hover(const std::vector<TextRow>& rows, const Position& at, const LineKilometres& kilometres,
           std::span<const StationPlatform> platforms) {
  const TextRow* row = row_at(rows, at.line);
  if (row == nullptr) return nullptr;
  std::string shown = heading(*row, kilometres);
  if (row->kind->id == RowId::kStation) shown += platform(*row, kilometres, platforms);
  return {{"contents", {{"kind", "markdown"}, {"value", shown + "\n" + field_lines(*row)}}},
          {"range", range(row->line, 0, row->line_end)}};
}

json document_symbols(std::string_view text, bool train, const LineKilometres& kilometres) {
  return document_symbols(read_rows(text, train), kilometres);
}

json document_symbols(const std::vector<TextRow>& rows, const LineKilometres& kilometres) {
  json symbols = json::array();
  for (const TextRow& row : rows) {
    const Symbol symbol = row.kind == nullptr ? Symbol::kNone : symbol_of(*row.kind);
    if (symbol == Symbol::kNone) continue;
    const auto p = row.number(0);
    const json where = range(row.line, 0, row.line_end);
    symbols.push_back({{"name", symbol_name(row)},
                       {"detail", p && *p >= 0 && *p <= kFurthest ? place(*p, kilometres) : ""},
                       {"kind", symbol_kind(symbol)},
                       {"range", where},
                       {"selectionRange", where}});
  }
  return symbols;
}

json completion(std::string_view text, bool train, const Position& at) {
  json items = json::array();
  for (const RowKind& row : rows_of(section_at(text, train, at.line))) {
    for (const std::string_view keyword : row.keywords) {
      items.push_back({{"label", std::string(keyword)},
                       {"kind", kCompletionKeyword},
                       {"detail", std::string(row.name)},
                       {"insertTextFormat", kSnippet},
                       {"insertText", snippet(keyword, row)}});
    }
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
  return kilometres_of(read_rows(line_text, false));
}

LineKilometres kilometres_of(const std::vector<TextRow>& line_rows) {
  std::array<KilometricProgressive, 3> written{};
  for (const TextRow& row : line_rows) {
    if (row.kind == nullptr || row.section != Section::kLineGeneral) continue;
    // A keyword names the first progressive the compiler tests it against.
    std::size_t k = 0;
    switch (row.kind->id) {
      case RowId::kProgressiveUno:
        k = 0;
        break;
      case RowId::kProgressiveDue:
        k = 1;
        break;
      case RowId::kProgressiveTre:
        k = 2;
        break;
      default:
        continue;
    }
    written[k] = {static_cast<std::int32_t>(row.number(0).value_or(0)),
                  static_cast<std::int32_t>(row.number(1).value_or(0)),
                  row.number(2).value_or(0) == 1};
  }
  return LineKilometres(written);
}

}  // namespace tracciato::lsp
