#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tracciato::lsp {

// The base protocol's framing: header lines ("Content-Length: N"), an empty line, then N
// bytes of JSON.
struct FramedMessage {
  std::optional<std::string> body;  // nothing at the end of the stream
  std::string problem;              // a header that cannot be read: the stream is lost
};

// A body larger than this is refused rather than allocated: no editor sends one.
inline constexpr std::size_t kLargestBody = 256U << 20U;

// Headers are a few short lines; a longer one is refused rather than read on without end.
inline constexpr std::size_t kLongestHeaderLine = 8U << 10U;

FramedMessage read_message(std::istream& in);
void write_message(std::ostream& out, std::string_view body);

}  // namespace tracciato::lsp
