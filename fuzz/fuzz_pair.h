#pragma once

#include <cstdint>
#include <string>

#include "compile/description.h"
#include "fuzz_input.h"

namespace tracciato::fuzz {

// The two descriptions an input holds after its first byte, the line before the first NUL
// byte and the train after it.
struct FuzzPair {
  FuzzPair(const std::uint8_t* data, std::size_t size)
      : line("linea.txt", std::string(before(capped(data + 1, size - 1)))),
        train("treno.txt", std::string(after(capped(data + 1, size - 1)))) {}
  MemoryDescription line;
  MemoryDescription train;

 private:
  static std::string_view before(std::string_view input) {
    return input.substr(0, input.find('\0'));
  }
  static std::string_view after(std::string_view input) {
    const std::size_t split = input.find('\0');
    return split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  }
};

}  // namespace tracciato::fuzz
