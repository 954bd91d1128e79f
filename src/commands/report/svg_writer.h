#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

struct Point {
  double x = 0;
  double y = 0;
};

struct Attribute {
  std::string_view name;
  std::string value;
};

// Writes HTML and inline SVG markup, escaping texts and attribute values as it goes and
// closing elements in order: into a string, or straight on to a stream so that a long
// page is never held whole.
class SvgWriter {
 public:
  SvgWriter() = default;
  explicit SvgWriter(std::ostream& out) : stream_(&out) {}
  void open(std::string_view tag, const std::vector<Attribute>& attributes = {});
  // Closes the innermost open element.
  void close();
  // An element without content: "<tag .../>" (SVG shapes, HTML void elements).
  void leaf(std::string_view tag, const std::vector<Attribute>& attributes = {});
  // An element holding only `text`.
  void element(std::string_view tag, const std::vector<Attribute>& attributes,
               std::string_view text);
  void text(std::string_view utf8);
  // Markup written as it stands: the document type, a style sheet.
  void raw(std::string_view markup);
  // The markup written into a string (empty when written to a stream); throws
  // std::logic_error while an element is still open.
  std::string finish();

 private:
  void start_tag(std::string_view tag, const std::vector<Attribute>& attributes);
  void pass_on(std::size_t at_least);

  // Markup not yet passed on to `stream_`, passed on in large pieces; all of it when
  // there is no stream.
  std::string out_;
  std::ostream* stream_ = nullptr;
  std::vector<std::string> open_;
};

std::string escape_markup(std::string_view utf8);

// A coordinate with at most one decimal: "12.5", "3", "-0.4".
std::string number(double v);

// A factor as exactly as a double gives it, shortest form: "0.00107".
std::string precise(double v);

// "x,y x,y ..." for a polyline's points attribute.
std::string points_text(std::span<const Point> points);

}  // namespace tracciato
