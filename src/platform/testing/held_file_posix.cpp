#include <fcntl.h>
#include <unistd.h>

#include <utility>

#include "platform/testing/held_file.h"

namespace tracciato {

HeldFile::HeldFile(const std::filesystem::path& file, Hold hold)
    : handle_(::open(file.c_str(), (hold == Hold::kForWriting ? O_WRONLY : O_RDONLY) | O_CLOEXEC)) {
}

void HeldFile::release() {
  if (handle_ >= 0) ::close(static_cast<int>(std::exchange(handle_, -1)));
}

}  // namespace tracciato
