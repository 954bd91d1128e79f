// windows.h goes first: the other system headers build on it.
#include <windows.h>

#include "cli/diagnostic.h"
#include "platform/wide_text.h"
#include "window/window_face.h"

namespace tracciato {

namespace {

constexpr wchar_t kFormClass[] = L"TracciatoForm1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Sizes are given in twips so that the window keeps its size in inches at any DPI.
int from_twips(int twips, int dpi) {
  return ::MulDiv(twips, dpi, 1440);
}

int system_dpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

bool register_form_class() {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = ::DefWindowProcW;
  form.hInstance = ::GetModuleHandleW(nullptr);
  form.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));  // an ordinal
  // The system's colours are brushes by number, as the API defines them.
  form.hbrBackground =
      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // NOLINT(performance-no-int-to-ptr)
  form.lpszClassName = kFormClass;
  return ::RegisterClassExW(&form) != 0;
}

// Form1 with a client area of 4200 x 2688 twips, placed by the system; not yet shown.
HWND create_form(int dpi) {
  RECT frame{0, 0, from_twips(4200, dpi), from_twips(2688, dpi)};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
  return ::CreateWindowExW(0, kFormClass, L"Form1", kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

HFONT create_label_font(int dpi) {
  return ::CreateFontW(-::MulDiv(24, dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void add_label(HWND form, HFONT font, int dpi) {
  HWND label =
      ::CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT,
                        from_twips(960, dpi), from_twips(960, dpi), from_twips(2652, dpi),
                        from_twips(792, dpi), form, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

class WindowFace final : public BoxFace {
 public:
  WindowFace(HWND form, HFONT font) : form1_(form), font_(font) {}
  WindowFace(const WindowFace&) = delete;
  WindowFace& operator=(const WindowFace&) = delete;
  ~WindowFace() override {
    ::DestroyWindow(form1_);
    ::DeleteObject(font_);
  }

  void show_waiting() override;

 private:
  void errore(const std::string& text) override {
    ::MessageBoxW(form1_, to_utf16(text).c_str(), L"tracciato", MB_OK);
  }

  HWND form1_;
  HFONT font_;
};

// The build that follows handles no messages, so the window is painted here, now.
void WindowFace::show_waiting() {
  ::ShowWindow(form1_, SW_SHOWNORMAL);
  ::UpdateWindow(form1_);
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

std::unique_ptr<Face> open_window_face() {
  // Sizes in twips stay true to the inch only when the system does not scale the window.
  ::SetProcessDPIAware();
  if (!register_form_class()) return nullptr;
  const int dpi = system_dpi();
  HWND form = create_form(dpi);
  if (form == nullptr) return nullptr;
  HFONT font = create_label_font(dpi);
  add_label(form, font, dpi);
  return std::make_unique<WindowFace>(form, font);
}

}  // namespace tracciato
