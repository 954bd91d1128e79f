#include "commands/check/findings_output.h"

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

std::string plural(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

void write_findings_text(std::ostream& out, const FindingList& list) {
  for (const Finding& f : list.findings()) {
    out << place(f.where) << ": ";
    out << (f.error ? "error " + std::to_string(f.code) : std::string("warning")) << ": ";
    out << shown(f.message);
    if (f.position) out << " [position " << *f.position << " m]";
    if (f.reported) out << " (the error the compile reports)";
    out << '\n';
  }
  out << plural(list.errors(), "error") << ", " << plural(list.warnings(), "warning") << '\n';
}

void write_findings_json(std::ostream& out, const FindingList& list) {
  out << '[';
  const char* separator = "\n";
  for (const Finding& f : list.findings()) {
    out << separator << R"(  {"file": )"
        << (f.where.path.empty() ? "null" : json_string(f.where.path)) << R"(, "line": )"
        << f.where.line << R"(, "severity": )" << json_string(f.error ? "error" : "warning")
        << R"(, "code": )" << (f.error && f.code != 0 ? std::to_string(f.code) : "null")
        << R"(, "position": )" << (f.position ? std::to_string(*f.position) : "null")
        << R"(, "message": )" << json_string(shown(f.message)) << R"(, "reported": )"
        << (f.reported ? "true" : "false") << '}';
    separator = ",\n";
  }
  out << "\n]\n";
}

}  // namespace tracciato
