#include "window/window_face.h"

namespace tracciato {

// This build has no window (TRACCIATO_WINDOW=OFF, or no FLTK and X to build one with):
// the default run is headless.
std::unique_ptr<Face> open_window_face() {
  return nullptr;
}

}  // namespace tracciato
