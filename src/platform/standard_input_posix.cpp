#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/standard_input.h"

namespace tracciato {

namespace {

std::string reason(int err) {
  if (err == EBADF) return "it is closed";
  if (err == EISDIR) return "it is a directory";
  return std::strerror(err);
}

}  // namespace

std::optional<std::string> read_standard_input(std::string& why) {
  std::string bytes;
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, buffer.data(), buffer.size());
    if (n == 0) return bytes;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = reason(errno);
      return std::nullopt;
    }
    bytes.append(buffer.data(), static_cast<std::size_t>(n));
  }
}

// POSIX streams never translate line ends.
void use_binary_standard_streams() {}

}  // namespace tracciato
