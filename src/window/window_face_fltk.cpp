#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <chrono>
#include <cstdlib>

#include "cli/diagnostic.h"
#include "window/window_face.h"

namespace tracciato {

namespace {

// Twips to pixels at 96 dpi (15 twips a pixel), to the nearest pixel.
constexpr int px(int twips) {
  return (twips + 7) / 15;
}

constexpr int kFontPixels = 32;  // 24 point at 96 dpi

// Notes when it has been drawn, so that the label is on screen before the build starts.
class WaitingWindow : public Fl_Window {
 public:
  WaitingWindow() : Fl_Window(px(4200), px(2688), "Form1") {}
  void draw() override {
    Fl_Window::draw();
    drawn = true;
  }
  bool drawn = false;
};

class WindowFace final : public BoxFace {
 public:
  void show_waiting() override;

 private:
  void errore(const std::string& text) override;

  WaitingWindow form1_;
  Fl_Box* label1_ = nullptr;
};

void WindowFace::show_waiting() {
  form1_.begin();
  label1_ = new Fl_Box(px(960), px(960), px(2652), px(792), "Attendere");
  label1_->labelfont(FL_HELVETICA_BOLD);
  label1_->labelsize(kFontPixels);
  label1_->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
  form1_.end();
  form1_.show();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!form1_.drawn && std::chrono::steady_clock::now() < deadline) Fl::wait(0.05);
  Fl::flush();
}

// The modal box with its single OK button; returns when it is closed.
void WindowFace::errore(const std::string& text) {
  fl_close = "OK";
  fl_message_title("tracciato");
  fl_message("%s", text.c_str());
}

// FLTK ends the program when it cannot open the display, so the display is opened here
// first and handed over.
bool display_opens() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return false;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  fl_open_display(display);
  return true;
}

}  // namespace

std::unique_ptr<Face> open_window_face() {
  if (!display_opens()) return nullptr;
  return std::make_unique<WindowFace>();
}

}  // namespace tracciato
