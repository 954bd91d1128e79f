// clang-format off
#include <windows.h>  // first: shellapi.h builds on it
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "platform/program_start.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

// The code page belongs to the console, which outlives the program in a shell's window.
UINT earlier_code_page = 0;

void restore_code_page() {
  ::SetConsoleOutputCP(earlier_code_page);
}

}  // namespace

std::vector<std::string> start_program(int /*argc*/, char** /*argv*/) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // Texts are UTF-8; a console shows them as such while the program runs.
  earlier_code_page = ::GetConsoleOutputCP();
  if (earlier_code_page != 0 && ::SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_code_page);
  int count = 0;
  wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(to_utf8(words[i]));
  ::LocalFree(words);
  return arguments;
}

void hide_own_console() {
  DWORD processes[2];
  if (::GetConsoleProcessList(processes, 2) == 1) ::ShowWindow(::GetConsoleWindow(), SW_HIDE);
}

}  // namespace tracciato
