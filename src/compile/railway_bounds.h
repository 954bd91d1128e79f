#pragma once

#include <cstdint>

// What a real railway stays within. The compile takes any value; check warns beyond these,
// since a value past them is most often a slip of the keyboard.
namespace tracciato::railway_bounds {
// Per mille: steeper than any railway that runs on adhesion alone.
inline constexpr std::int32_t kSteepestGradient = 60;
// Km/h: faster than any line in service.
inline constexpr std::int32_t kFastestSpeed = 350;
// Metres: longer than any platform.
inline constexpr std::int32_t kLongestPlatform = 1000;
// Degrees: a curve that turns more than a full circle.
inline constexpr double kWidestTurn = 360;
// Cars: longer than any train a line's platforms and sidings take.
inline constexpr std::int32_t kMostCars = 60;
// Per cent of the train's mass: brakes far beyond any train's.
inline constexpr std::int32_t kHighestBrakedMass = 250;
}  // namespace tracciato::railway_bounds
