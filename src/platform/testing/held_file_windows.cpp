#include <windows.h>

#include <utility>

#include "platform/testing/held_file.h"

namespace tracciato {

HeldFile::HeldFile(const std::filesystem::path& file, Hold hold)
    : handle_(reinterpret_cast<std::intptr_t>(
          ::CreateFileW(file.c_str(), hold == Hold::kForWriting ? GENERIC_WRITE : GENERIC_READ,
                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))) {}

void HeldFile::release() {
  const auto h = reinterpret_cast<HANDLE>(  // NOLINT(performance-no-int-to-ptr)
      std::exchange(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}

}  // namespace tracciato
