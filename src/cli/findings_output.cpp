#include "cli/findings_output.h"

#include <string>

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

// What the text shows of the kept findings: a repeated mistake counted, errors past the
// cap left out.
struct Shown {
  int errors_capped = 0;
  bool cap_reached = false;
};

Shown write_each(std::ostream& out, const FindingList& list, const TextLimits& limits) {
  Shown shown{.cap_reached = limits.max_errors == 0};
  int errors_shown = 0;
  const auto count_left_out = [&](int errors) {
    if (shown.cap_reached) shown.errors_capped += errors;
  };
  for (std::size_t i = 0; i < list.findings().size(); ++i) {
    const Finding& f = list.findings()[i];
    const Kept& k = list.kept()[i];
    count_left_out(k.errors_left_out_before);
    if (f.error && shown.cap_reached) {
      ++shown.errors_capped;
      continue;
    }
    const int made = list.mistake_count(k);
    const int n = k.ordinal;
    // Told as a count only when that hides two findings or more.
    const bool counted = made > limits.repeats_shown + 1;
    if (counted && n > limits.repeats_shown && !f.reported) continue;
    if (f.error) ++errors_shown;
    shown.cap_reached = limits.max_errors && errors_shown == *limits.max_errors;
    write_finding(out, f, limits.colours);
    if (counted && n == limits.repeats_shown) {
      out << limits.colours.note << "note:" << limits.colours.reset << " the same mistake "
          << plural(made - n, "more time") << " after " << place(f.where)
          << " (tracciato check --format json lists every one)\n";
    }
  }
  count_left_out(list.errors_left_out_after());
  return shown;
}

// The findings past those the list holds, counted: errors with those the cap left out
// once it was reached.
void write_not_kept(std::ostream& out, const FindingList& list, const Shown& shown,
                    const TextLimits& limits) {
  const int errors = shown.cap_reached ? 0 : list.errors_not_kept();
  const int capped = shown.errors_capped + (shown.cap_reached ? list.errors_not_kept() : 0);
  if (capped > 0) {
    out << "and " << plural(capped, "more error") << " (--max-errors " << *limits.max_errors
        << ")\n";
  }
  const int warnings = list.warnings_not_kept();
  if (errors + warnings == 0) return;
  out << "and " << plural(errors + warnings, "more finding") << " (" << plural(errors, "error")
      << ", " << plural(warnings, "warning") << ") after the first " << list.findings().size()
      << " are not shown (tracciato check --format json lists every one)\n";
}

}  // namespace

void write_findings_text(std::ostream& out, const FindingList& list, const TextLimits& limits) {
  write_not_kept(out, list, write_each(out, list, limits), limits);
  out << plural(list.errors(), "error") << ", " << plural(list.warnings(), "warning") << '\n';
  if (list.errors() > 0) {
    out << "`tracciato explain CODE` tells what a code means and how to fix it\n";
  }
}

void write_warnings_text(std::ostream& out, const FindingList& list, const Palette& colours) {
  if (list.warnings() == 0) return;
  const TextLimits limits{.max_errors = std::nullopt, .colours = colours};
  write_not_kept(out, list, write_each(out, list, limits), limits);
  out << plural(list.warnings(), "warning") << " (-w leaves them out)\n";
}

Retention text_retention() {
  return {.per_mistake = kRepeatsShown + 1};
}

JsonFindings::JsonFindings(std::ostream& out, std::optional<int> max_errors)
    : out_(out), max_errors_(max_errors) {
  out_ << '[';
}

void JsonFindings::add(const Finding& f) {
  if (f.error && max_errors_ && errors_++ >= *max_errors_) return;
  out_ << separator_ << R"(  {"file": )"
       << (f.where.path.empty() ? "null" : json_string(f.where.path)) << R"(, "line": )"
       << number_or_null(f.where.line) << R"(, "column": )" << number_or_null(f.where.column)
       << R"(, "end_column": )" << number_or_null(f.where.column > 0 ? f.where.end_column : 0)
       << R"(, "severity": )" << json_string(f.error ? "error" : "warning") << R"(, "code": )"
       << (f.error && f.code != 0 ? std::to_string(f.code) : "null") << R"(, "position": )"
       << (f.position ? std::to_string(*f.position) : "null") << R"(, "message": )"
       << json_string(shown(json_message(f))) << R"(, "hint": )"
       << (f.hint.empty() ? "null" : json_string(shown(f.hint))) << R"(, "reported": )"
       << (f.reported ? "true" : "false");
  if (!f.notes.empty()) out_ << R"(, "related": )" << json_related(f);
  out_ << '}';
  separator_ = ",\n";
}

void JsonFindings::close() {
  out_ << "\n]\n";
}

void write_findings_json(std::ostream& out, const FindingList& list,
                         std::optional<int> max_errors) {
  JsonFindings json(out, max_errors);
  for (const Finding& f : list.findings()) json.add(f);
  json.close();
}

}  // namespace tracciato
