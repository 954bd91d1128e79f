#include "commands/lsp/diagnostics.h"

#include "base/cp1252.h"
#include "commands/lsp/text_document.h"
#include "textio/field_reader.h"

namespace tracciato::lsp {

namespace {

using nlohmann::json;

json position(int line, int character) {
  return {{"line", line}, {"character", character}};
}

// The range of a place: the field, the whole row where no field is named, the file's
// start where no row is.
json range_of(const SourceLocation& at, const EditorView& editor, Utf16Columns& columns) {
  if (at.line <= 0) return {{"start", position(0, 0)}, {"end", position(0, 0)}};
  const auto open = editor.line(at.path, at.line);
  const std::string quoted = open ? std::string() : cp1252_to_utf8(at.source);
  const std::string_view line = open ? *open : quoted;
  // A kept window of a long line starts at `source_from`: each byte before it is one
  // character of Windows-1252, one UTF-16 unit.
  const int from = open ? 0 : at.source_from;
  const auto column = [&](int byte_column) {
    return open ? columns.of(line, byte_column) : from + utf16_column(line, byte_column - from);
  };
  const int row = at.line - 1;
  if (at.column <= 0) {
    return {{"start", position(row, 0)},
            {"end", position(row, column(from + int(line.size()) + 1))}};
  }
  const int end = std::max(at.end_column, at.column + 1);
  return {{"start", position(row, column(at.column))}, {"end", position(row, column(end))}};
}

std::string message_of(const Finding& f) {
  std::string text = cp1252_to_utf8(f.message);
  if (!f.hint.empty()) text += "\nhelp: " + cp1252_to_utf8(f.hint);
  if (f.code != 0) text += "\nsee `tracciato explain " + std::to_string(f.code) + "`";
  return text;
}

json related(const Finding& f, const EditorView& editor, Utf16Columns& columns) {
  json notes = json::array();
  for (const Note& n : f.notes) {
    if (n.at.path.empty()) continue;
    notes.push_back(
        {{"location", {{"uri", editor.uri(n.at.path)}, {"range", range_of(n.at, editor, columns)}}},
         {"message", cp1252_to_utf8(n.text)}});
  }
  return notes;
}

// What a quick fix needs: the keyword a did-you-mean offers, or that a tab is to go.
json fix_data(const std::string& hint) {
  json data = {{"hint", cp1252_to_utf8(hint)}};
  constexpr std::string_view kMeant = "did you mean \"";
  if (hint.starts_with(kMeant) && hint.ends_with("\"?")) {
    data["keyword"] = cp1252_to_utf8(hint.substr(kMeant.size(), hint.size() - kMeant.size() - 2));
  }
  if (hint == kTabHint) data["tab"] = true;
  return data;
}

json diagnostic(const Finding& f, const EditorView& editor, Utf16Columns& columns) {
  json d = {{"range", range_of(f.where, editor, columns)},
            {"severity", f.error ? 1 : 2},
            {"source", "tracciato"},
            {"message", message_of(f)}};
  if (f.code != 0) d["code"] = f.code;
  const json notes = related(f, editor, columns);
  if (!notes.empty()) d["relatedInformation"] = notes;
  if (!f.hint.empty()) d["data"] = fix_data(f.hint);
  return d;
}

}  // namespace

std::map<std::string, json> diagnostics_by_path(const FindingList& findings,
                                                const EditorView& editor) {
  std::map<std::string, json> by_path;
  // Past the bound, the findings of a file are counted; the first of them shows the count.
  struct Left {
    const Finding* first = nullptr;
    std::size_t count = 0;
    bool error = false;
  };
  std::map<std::string, Left> left;
  Utf16Columns columns;
  for (const Finding& f : findings.findings()) {
    json& list = by_path[f.where.path];
    if (list.is_null()) list = json::array();
    if (list.size() < kMostDiagnosticsPerFile) {
      list.push_back(diagnostic(f, editor, columns));
      continue;
    }
    Left& l = left[f.where.path];
    if (l.first == nullptr) l.first = &f;
    l.count += 1;
    l.error = l.error || f.error;
  }
  for (const auto& [path, l] : left) {
    by_path[path].push_back(
        {{"range", range_of(l.first->where, editor, columns)},
         {"severity", l.error ? 1 : 2},
         {"source", "tracciato"},
         {"message", std::to_string(l.count) + " more findings: run tracciato check"}});
  }
  return by_path;
}

}  // namespace tracciato::lsp
