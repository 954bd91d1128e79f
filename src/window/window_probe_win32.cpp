// A test helper run beside the program under the same Windows session: reads what a
// window shows as the system sees it, and presses its buttons.
//   window_probe show TITLE          waits for the window and prints its caption, owner,
//                                    client size and visible children
//   window_probe click TITLE BUTTON  presses the window's button with that text
// windows.h goes first: the other system headers build on it.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/program_start.h"
#include "platform/wide_text.h"

namespace {

std::wstring text_of(HWND window) {
  std::wstring text(::GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(::GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::string class_of(HWND window) {
  wchar_t name[256];
  return tracciato::to_utf8(std::wstring(name, ::GetClassNameW(window, name, 256)));
}

struct Search {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK match_title(HWND window, LPARAM search_address) {
  auto& search = *reinterpret_cast<Search*>(search_address);  // NOLINT(performance-no-int-to-ptr)
  if (!::IsWindowVisible(window) || text_of(window) != search.title) return TRUE;
  search.found = window;
  return FALSE;
}

// The visible top-level window captioned TITLE; the program may still be starting.
HWND wait_for_window(const std::wstring& title) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  Search search{title};
  while (std::chrono::steady_clock::now() < deadline) {
    ::EnumWindows(match_title, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::fprintf(stderr, "window_probe: no window %s\n", tracciato::to_utf8(title).c_str());
  return nullptr;
}

BOOL CALLBACK collect_child(HWND child, LPARAM children_address) {
  if (::IsWindowVisible(child))
    reinterpret_cast<std::vector<HWND>*>(children_address)->push_back(child);
  return TRUE;
}

std::vector<HWND> visible_children(HWND window) {
  std::vector<HWND> children;
  ::EnumChildWindows(window, collect_child, reinterpret_cast<LPARAM>(&children));
  return children;
}

// "child CLASS "TEXT" X,Y WxH", the position within the parent's client area.
void print_child(HWND parent, HWND child) {
  RECT box;
  ::GetWindowRect(child, &box);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
  std::printf("child %s \"%s\" %ld,%ld %ldx%ld\n", class_of(child).c_str(),
              tracciato::to_utf8(text_of(child)).c_str(), box.left, box.top, box.right - box.left,
              box.bottom - box.top);
}

int show(const std::wstring& title) {
  HWND window = wait_for_window(title);
  if (window == nullptr) return 1;
  HWND owner = ::GetWindow(window, GW_OWNER);
  RECT client;
  ::GetClientRect(window, &client);
  std::printf("caption %s\n", tracciato::to_utf8(text_of(window)).c_str());
  std::printf("owner %s\n", owner ? tracciato::to_utf8(text_of(owner)).c_str() : "none");
  std::printf("client %ldx%ld\n", client.right, client.bottom);
  for (HWND child : visible_children(window)) print_child(window, child);
  return 0;
}

int click(const std::wstring& title, const std::wstring& button) {
  HWND window = wait_for_window(title);
  if (window == nullptr) return 1;
  for (HWND child : visible_children(window)) {
    if (class_of(child) != "Button" || text_of(child) != button) continue;
    ::SendMessageW(child, BM_CLICK, 0, 0);
    return 0;
  }
  std::fprintf(stderr, "window_probe: no button %s\n", tracciato::to_utf8(button).c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (const std::string& word : tracciato::start_program(argc, argv)) {
    args.push_back(tracciato::to_utf16(word));
  }
  if (args.size() == 2 && args[0] == L"show") return show(args[1]);
  if (args.size() == 3 && args[0] == L"click") return click(args[1], args[2]);
  std::fprintf(stderr, "usage: window_probe show TITLE | click TITLE BUTTON\n");
  return 2;
}
