#pragma once

#include <memory>

#include "cli/face.h"

namespace tracciato {

// The desktop face of the default run: the waiting window and the modal error box.
// Returns nullptr when there is no desktop to show it on, or the build has no window.
std::unique_ptr<Face> open_window_face();

}  // namespace tracciato
