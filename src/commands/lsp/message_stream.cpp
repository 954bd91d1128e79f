#include "commands/lsp/message_stream.h"

#include <charconv>

#include "cli/failure.h"

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

// A header that cannot be read loses the stream: the server stops.
Failure lost_stream(const std::string& why) {
  return {ExitStatus::kError, why};
}

// The value of Content-Length from one header line; nothing for another header.
Result<std::optional<std::size_t>> content_length(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return lost_stream("a header line without a colon");
  if (!same_ignoring_case(trimmed(line.substr(0, colon)), "content-length")) {
    return std::optional<std::size_t>();
  }
  const std::string_view value = trimmed(line.substr(colon + 1));
  std::size_t n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc{} || end != value.data() + value.size() || value.empty()) {
    return lost_stream("a Content-Length that is not a number");
  }
  if (n > kLargestBody) return lost_stream("a Content-Length beyond 256 MiB");
  return std::optional<std::size_t>(n);
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
    const Result<std::optional<std::size_t>> header = content_length(line);
    if (!header) return {std::nullopt, header.failure().what()};
    if (*header) length = *header;
  }
  if (any_header) return {std::nullopt, "the stream ends inside a message's headers"};
  return {std::nullopt, {}};
}

void write_message(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace tracciato::lsp
