#include "cli/findings_output.h"

#include <map>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/json_string.h"

namespace tracciato {

namespace {

std::string place(const SourceLocation& where) {
  if (where.path.empty()) return "tracciato";
  return where.line == 0 ? where.path : where.path + ":" + std::to_string(where.line);
}

// Messages may quote description bytes, which are Windows-1252.
std::string shown(const std::string& message) {
  return cp1252_to_utf8(message);
}

// The message with its notes, as one text.
std::string json_message(const Finding& f) {
  std::string text = f.message;
  for (const Note& note : f.notes) text += "; " + note.text;
  return text;
}

std::string plural(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

void write_finding(std::ostream& out, const Finding& f, const Palette& colours) {
  Diagnostic d = f;
  if (f.reported) d.notes.push_back({{}, "this is the error compile reports"});
  out << render_diagnostic(d, colours);
}

std::string number_or_null(int n) {
  return n > 0 ? std::to_string(n) : "null";
}

// Each note as {file, line, column, message}, its place null where it has none.
std::string json_related(const Finding& f) {
  std::string related;
  for (const Note& note : f.notes) {
    const SourceLocation& at = note.at;
    related += std::string(related.empty() ? "" : ", ") + R"({"file": )" +
               (at.path.empty() ? "null" : json_string(at.path)) + R"(, "line": )" +
               number_or_null(at.path.empty() ? 0 : at.line) + R"(, "column": )" +
               number_or_null(at.path.empty() ? 0 : at.column) + R"(, "message": )" +
               json_string(shown(note.text)) + "}";
  }
  return "[" + related + "]";
}

// One mistake however often it is made: the kind, the file and the message without its
// numbers.
std::string mistake(const Finding& f) {
  std::string key = (f.error ? std::to_string(f.code) : "w") + "|" + f.where.path + "|";
  for (const char c : f.message) {
    if (c < '0' || c > '9') {
      key += c;
    } else if (key.back() != '#') {
      key += '#';
    }
  }
  return key;
}

// The findings, a repeated mistake counted and errors past the cap left out; gives the
// number of errors the cap left out.
int write_each(std::ostream& out, const FindingList& list, const TextLimits& limits) {
  std::map<std::string, int> told;
  std::map<std::string, int> made;
  std::vector<std::string> keys;
  keys.reserve(list.findings().size());
  for (const Finding& f : list.findings()) ++made[keys.emplace_back(mistake(f))];
  int errors_shown = 0;
  int errors_capped = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const Finding& f = list.findings()[i];
    if (f.error && limits.max_errors && errors_shown == *limits.max_errors) {
      ++errors_capped;
      continue;
    }
    const std::string& key = keys[i];
    const int n = ++told[key];
    // Told as a count only when that hides two findings or more.
    const bool counted = made[key] > limits.repeats_shown + 1;
    if (counted && n > limits.repeats_shown && !f.reported) continue;
    if (f.error) ++errors_shown;
    write_finding(out, f, limits.colours);
    if (counted && n == limits.repeats_shown) {
      out << limits.colours.note << "note:" << limits.colours.reset << " the same mistake "
          << plural(made[key] - n, "more time") << " after " << place(f.where)
          << " (tracciato check --format json lists every one)\n";
    }
  }
  return errors_capped;
}

}  // namespace

void write_findings_text(std::ostream& out, const FindingList& list, const TextLimits& limits) {
  const int errors_capped = write_each(out, list, limits);
  if (errors_capped > 0) {
    out << "and " << plural(errors_capped, "more error") << " (--max-errors " << *limits.max_errors
        << ")\n";
  }
  out << plural(list.errors(), "error") << ", " << plural(list.warnings(), "warning") << '\n';
  if (list.errors() > 0) {
    out << "`tracciato explain CODE` tells what a code means and how to fix it\n";
  }
}

void write_warnings_text(std::ostream& out, const FindingList& list, const Palette& colours) {
  if (list.warnings() == 0) return;
  write_each(out, list, {.colours = colours});
  out << plural(list.warnings(), "warning") << " (-w leaves them out)\n";
}

void write_findings_json(std::ostream& out, const FindingList& list,
                         std::optional<int> max_errors) {
  out << '[';
  const char* separator = "\n";
  int errors = 0;
  for (const Finding& f : list.findings()) {
    if (f.error && max_errors && errors++ >= *max_errors) continue;
    out << separator << R"(  {"file": )"
        << (f.where.path.empty() ? "null" : json_string(f.where.path)) << R"(, "line": )"
        << number_or_null(f.where.line) << R"(, "column": )" << number_or_null(f.where.column)
        << R"(, "end_column": )" << number_or_null(f.where.column > 0 ? f.where.end_column : 0)
        << R"(, "severity": )" << json_string(f.error ? "error" : "warning") << R"(, "code": )"
        << (f.error && f.code != 0 ? std::to_string(f.code) : "null") << R"(, "position": )"
        << (f.position ? std::to_string(*f.position) : "null") << R"(, "message": )"
        << json_string(shown(json_message(f))) << R"(, "hint": )"
        << (f.hint.empty() ? "null" : json_string(shown(f.hint))) << R"(, "reported": )"
        << (f.reported ? "true" : "false");
    if (!f.notes.empty()) out << R"(, "related": )" << json_related(f);
    out << '}';
    separator = ",\n";
  }
  out << "\n]\n";
}

}  // namespace tracciato
