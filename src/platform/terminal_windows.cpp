#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/terminal.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

bool is_console(DWORD which) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(which), &mode) != 0;
}

// The mode belongs to the console, which outlives the program in a shell's window.
DWORD earlier_output_mode = 0;
DWORD earlier_error_mode = 0;
bool output_mode_changed = false;
bool error_mode_changed = false;

bool add_colour_mode(DWORD which, DWORD& earlier) {
  const HANDLE handle = ::GetStdHandle(which);
  if (!::GetConsoleMode(handle, &earlier)) return false;
  if ((earlier & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) return false;
  return ::SetConsoleMode(handle, earlier | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

// In the reverse order, for standard output and error may share one console.
void restore_modes() {
  if (error_mode_changed) ::SetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), earlier_error_mode);
  if (output_mode_changed) ::SetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), earlier_output_mode);
}

}  // namespace

bool standard_error_is_terminal() {
  return is_console(STD_ERROR_HANDLE);
}

bool standard_output_is_terminal() {
  return is_console(STD_OUTPUT_HANDLE);
}

void enable_terminal_colours() {
  if (output_mode_changed || error_mode_changed) return;
  output_mode_changed = add_colour_mode(STD_OUTPUT_HANDLE, earlier_output_mode);
  error_mode_changed = add_colour_mode(STD_ERROR_HANDLE, earlier_error_mode);
  if (output_mode_changed || error_mode_changed) std::atexit(restore_modes);
}

std::optional<std::string> environment_variable(const char* name) {
  const std::wstring wide_name = to_utf16(name);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    // An empty value also reads as 0 characters, without an error.
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length = ::GetEnvironmentVariableW(wide_name.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < buffer.size()) return to_utf8(std::wstring_view(buffer.data(), length));
    // Too small: the length asked for counts the terminating null.
    buffer.resize(length);
  }
}

}  // namespace tracciato
