#include "commands/report/svg_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>
#include <stdexcept>

#include "base/visible_text.h"

namespace tracciato {

namespace {

// Escapes as escape_markup does, onto the end of `out`.
void write_escaped(std::string& out, std::string_view utf8) {
  std::size_t from = 0;
  for (std::size_t i = utf8.find_first_of("&<>\"'"); i != std::string_view::npos;
       i = utf8.find_first_of("&<>\"'", from)) {
    out += utf8.substr(from, i - from);
    out += escape_markup(utf8.substr(i, 1));
    from = i + 1;
  }
  out += utf8.substr(from);
}

}  // namespace

std::string escape_markup(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto byte = static_cast<unsigned char>(c);
    // The page is UTF-8 without control characters: a path's raw bytes become U+FFFD.
    if (byte >= 0x80 || (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
      const std::size_t n = byte >= 0x80 ? utf8_sequence(utf8.substr(i)) : 0;
      s += n == 0 ? std::string_view("\xEF\xBF\xBD") : utf8.substr(i, n);
      i += n == 0 ? 0 : n - 1;
      continue;
    }
    switch (c) {
      case '&':
        s += "&amp;";
        break;
      case '<':
        s += "&lt;";
        break;
      case '>':
        s += "&gt;";
        break;
      case '"':
        s += "&quot;";
        break;
      case '\'':
        s += "&#39;";
        break;
      default:
        s += c;
    }
  }
  return s;
}

std::string number(double v) {
  double rounded = std::round(v * 10) / 10;
  if (rounded == 0) rounded = 0;  // no "-0"
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded,
                                    std::chars_format::fixed, 1);
  std::string text(buffer.data(), result.ptr);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text;
}

std::string precise(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return {buffer.data(), result.ptr};
}

std::string points_text(std::span<const Point> points) {
  std::string text;
  for (const Point& p : points) {
    if (!text.empty()) text += ' ';
    text += number(p.x);
    text += ',';
    text += number(p.y);
  }
  return text;
}

namespace {

constexpr std::size_t kPiece = 1 << 16;

}  // namespace

void SvgWriter::pass_on(std::size_t at_least) {
  if (stream_ == nullptr || out_.size() < at_least) return;
  stream_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
  out_.clear();
}

void SvgWriter::start_tag(std::string_view tag, const std::vector<Attribute>& attributes) {
  pass_on(kPiece);
  out_ += '<';
  out_ += tag;
  for (const Attribute& a : attributes) {
    out_ += ' ';
    out_ += a.name;
    out_ += "=\"";
    write_escaped(out_, a.value);
    out_ += '"';
  }
}

void SvgWriter::open(std::string_view tag, const std::vector<Attribute>& attributes) {
  start_tag(tag, attributes);
  out_ += '>';
  open_.emplace_back(tag);
}

void SvgWriter::close() {
  if (open_.empty()) throw std::logic_error("no element is open");
  out_ += "</";
  out_ += open_.back();
  out_ += '>';
  open_.pop_back();
}

void SvgWriter::leaf(std::string_view tag, const std::vector<Attribute>& attributes) {
  start_tag(tag, attributes);
  out_ += "/>";
}

void SvgWriter::element(std::string_view tag, const std::vector<Attribute>& attributes,
                        std::string_view text) {
  open(tag, attributes);
  this->text(text);
  close();
}

void SvgWriter::text(std::string_view utf8) {
  write_escaped(out_, utf8);
}

void SvgWriter::raw(std::string_view markup) {
  pass_on(kPiece);
  out_ += markup;
}

std::string SvgWriter::finish() {
  if (!open_.empty()) throw std::logic_error("<" + open_.back() + "> is still open");
  pass_on(0);
  return std::move(out_);
}

}  // namespace tracciato
