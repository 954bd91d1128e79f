#pragma once

#include <memory>
#include <string>

#include "driver/face.h"

namespace tracciato {

// The desktop face of the default run: the waiting window and the modal error box.
// Returns nullptr, with the reason, when there is no desktop to show it on.
std::unique_ptr<Face> open_window_face(std::string& why_not);

}  // namespace tracciato
