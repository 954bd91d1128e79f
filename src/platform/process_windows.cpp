#include <windows.h>

#include <string>

#include "platform/process.h"
#include "platform/wide_text.h"

namespace tracciato {

long current_process_id() {
  return static_cast<long>(::GetCurrentProcessId());
}

bool process_running(long id) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

std::string command_line() {
  return to_utf8(::GetCommandLineW());
}

std::filesystem::path executable_path() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n < name.size()) {
      name.resize(n);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace tracciato
