#include "window/window_face.h"

namespace tracciato {

// This build was configured without FLTK.
std::unique_ptr<Face> open_window_face() {
  return nullptr;
}

}  // namespace tracciato
