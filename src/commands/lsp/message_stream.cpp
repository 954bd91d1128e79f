#include "commands/lsp/message_stream.h"

#include <charconv>

namespace tracciato::lsp {

namespace {

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Reads the value of Content-Length from one header line; other headers are skipped.
bool read_header(std::string_view line, std::optional<std::size_t>& length, std::string& problem) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) {
    problem = "a header line without a colon";
    return false;
  }
  if (!same_ignoring_case(trimmed(line.substr(0, colon)), "content-length")) return true;
  const std::string_view value = trimmed(line.substr(colon + 1));
  std::size_t n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc{} || end != value.data() + value.size() || value.empty()) {
    problem = "a Content-Length that is not a number";
    return false;
  }
  if (n > kLargestBody) {
    problem = "a Content-Length beyond 256 MiB";
    return false;
  }
  length = n;
  return true;
}

enum class HeaderLine { kRead, kEnd, kTooLong };

// std::getline with a bound: a line is read up to its LF or the stream's end.
HeaderLine read_header_line(std::istream& in, std::string& line) {
  line.clear();
  for (;;) {
    const auto c = in.get();
    if (c == std::istream::traits_type::eof())
      return line.empty() ? HeaderLine::kEnd : HeaderLine::kRead;
    if (c == '\n') return HeaderLine::kRead;
    if (line.size() == kLongestHeaderLine) return HeaderLine::kTooLong;
    line.push_back(static_cast<char>(c));
  }
}

}  // namespace

FramedMessage read_message(std::istream& in) {
  std::optional<std::size_t> length;
  bool any_header = false;
  std::string line;
  for (HeaderLine read; (read = read_header_line(in, line)) != HeaderLine::kEnd;) {
    if (read == HeaderLine::kTooLong) return {std::nullopt, "a header line longer than 8 KiB"};
    if (trimmed(line).empty()) {
      if (!any_header) continue;  // blank lines between messages
      if (!length) return {std::nullopt, "a message without a Content-Length"};
      std::string body(*length, '\0');
      in.read(body.data(), static_cast<std::streamsize>(body.size()));
      if (static_cast<std::size_t>(in.gcount()) != body.size())
        return {std::nullopt, "the stream ends inside a message"};
      return {std::move(body), {}};
    }
    any_header = true;
    std::string problem;
    if (!read_header(line, length, problem)) return {std::nullopt, problem};
  }
  if (any_header) return {std::nullopt, "the stream ends inside a message's headers"};
  return {std::nullopt, {}};
}

void write_message(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace tracciato::lsp
