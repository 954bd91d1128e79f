#include "window/window_face.h"

namespace tracciato {

std::unique_ptr<Face> open_window_face(std::string& why_not) {
  why_not = "this build has no window (FLTK was not found when it was configured)";
  return nullptr;
}

}  // namespace tracciato
