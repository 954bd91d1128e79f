#pragma once

#include <array>

namespace tracciato {

// The curvature, in radians per metre, of the curve classes 1 to 6 that a curve keyword's
// digit names; a left-hand curve ("s") turns by the negated value.
inline constexpr std::array<double, 6> kCurveCurvatures = {0.0001, 0.0002, 0.0004,
                                                           0.001,  0.002,  0.003};

}  // namespace tracciato
