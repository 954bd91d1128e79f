#pragma once

namespace tracciato {

// Which system the program was built for, for the few tests that drive a tool one
// system lacks.
#ifdef _WIN32
inline constexpr bool kBuiltForWindows = true;
#else
inline constexpr bool kBuiltForWindows = false;
#endif

}  // namespace tracciato
