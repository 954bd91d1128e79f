#pragma once

namespace tracciato {

// The smaller of two numbers, the first on a tie.
template <typename T>
constexpr T minimo(T x, T y) {
  return x > y ? y : x;
}

}  // namespace tracciato
