#include <windows.h>

#include <stdexcept>

#include "platform/testing/child_process.h"
#include "platform/wide_text.h"

namespace tracciato {

namespace {

// One argument quoted as the C runtime splits a command line back into words.
std::wstring quoted(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) return word;
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

// A temporary file the child writes into, gone when its last handle closes.
class CaptureFile {
 public:
  CaptureFile() {
    wchar_t dir[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (::GetTempPathW(MAX_PATH + 1, dir) == 0 || ::GetTempFileNameW(dir, L"trc", 0, name) == 0) {
      throw std::runtime_error("cannot name a file to capture a program's output");
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    handle_ = ::CreateFileW(
        name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      throw std::runtime_error("cannot create a file to capture a program's output");
    }
  }
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;
  ~CaptureFile() { ::CloseHandle(handle_); }

  HANDLE handle() const { return handle_; }
  // Fills the file with `bytes` for a child to read from the start.
  void hold(const std::string& bytes) const {
    DWORD written = 0;
    ::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
  }
  std::string text() const {
    ::SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    std::string text;
    char buffer[65536];
    DWORD n = 0;
    while (::ReadFile(handle_, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
    return text;
  }

 private:
  HANDLE handle_;
};

}  // namespace

ChildRun run_child(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& cwd, const std::string& input) {
  std::wstring command = quoted(program.wstring());
  for (const std::string& a : args) command += L" " + quoted(to_utf16(a));
  const CaptureFile in;
  in.hold(input);
  const CaptureFile out;
  const CaptureFile err;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.handle();
  startup.hStdOutput = out.handle();
  startup.hStdError = err.handle();
  PROCESS_INFORMATION process{};
  const std::wstring dir = std::filesystem::absolute(cwd).wstring();
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(),
                        &startup, &process)) {
    throw std::runtime_error("cannot start " + to_utf8(program.wstring()) + ": " +
                             system_message(::GetLastError()));
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ChildRun run;
  run.status = static_cast<int>(code);
  run.out = out.text();
  run.err = err.text();
  return run;
}

}  // namespace tracciato
