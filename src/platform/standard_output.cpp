#include "platform/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace tracciato {

std::optional<std::string> finish_standard_output() {
  errno = 0;
  std::cout.flush();
  const bool stream_failed = !std::cout;
  if (std::fflush(stdout) == 0 && !stream_failed && std::ferror(stdout) == 0) return std::nullopt;
  // errno may tell the cause of the last failed write; the stream alone does not.
  return errno != 0 ? std::string(std::strerror(errno)) : std::string("the write failed");
}

}  // namespace tracciato
