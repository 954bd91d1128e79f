#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "base/unexpected_failure.h"

namespace tracciato {

// Nearest integer, exact halves to the even neighbour (the default floating-point mode).
inline double round_half_even(double x) {
  return std::nearbyint(x);
}

// Rounds and converts, refusing values the target type cannot hold.
template <typename T>
T round_to(double x, const char* what) {
  const double r = round_half_even(x);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max()))) {
    throw UnexpectedFailure(std::string(what) + " does not fit its field");
  }
  return static_cast<T>(r);
}

// Exact integer result that must fit the narrower type.
template <typename T>
T checked_narrow(std::int64_t v, const char* what) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
    throw UnexpectedFailure(std::string(what) + " " + std::to_string(v) +
                            " does not fit its field");
  }
  return static_cast<T>(v);
}

// Stores that keep only the low bits by design.
inline std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}
inline std::uint8_t low8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}

}  // namespace tracciato
