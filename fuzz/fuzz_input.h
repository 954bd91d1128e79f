#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tracciato::fuzz {

// Inputs beyond this are cut: longer ones add time, not paths.
inline constexpr std::size_t kMaxInput = 64 * 1024;

inline std::string_view capped(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size < kMaxInput ? size : kMaxInput};
}

}  // namespace tracciato::fuzz
