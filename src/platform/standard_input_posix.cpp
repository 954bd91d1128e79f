#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/standard_input.h"

namespace tracciato {

std::optional<std::string> read_standard_input() {
  std::string bytes;
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, buffer.data(), buffer.size());
    if (n == 0) return bytes;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    bytes.append(buffer.data(), static_cast<std::size_t>(n));
  }
}

// POSIX streams never translate line ends.
void use_binary_standard_streams() {}

}  // namespace tracciato
