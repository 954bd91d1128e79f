#include <fcntl.h>
#include <io.h>

#include <array>
#include <cstdio>

#include "platform/standard_input.h"

namespace tracciato {

std::optional<std::string> read_standard_input(std::string& why) {
  if (_fileno(stdin) < 0 || _get_osfhandle(_fileno(stdin)) == -1) {
    why = "it is closed";
    return std::nullopt;
  }
  // Text mode would turn the descriptions' CR LF into LF.
  _setmode(_fileno(stdin), _O_BINARY);
  std::string bytes;
  std::array<char, 65536> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), stdin)) > 0)
    bytes.append(buffer.data(), n);
  if (std::ferror(stdin) != 0) {
    why = "reading it failed";
    return std::nullopt;
  }
  return bytes;
}

void use_binary_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace tracciato
